#include "common/exif_orientation.h"

#include <cstddef>
#include <string_view>

#include "common/picture_bytes.h"

namespace {

// A bounded view of the bytes with big- or little-endian reads that fail instead of reading past
// the end.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }

    bool Read16(size_t offset, bool bigEndian, uint32_t& value) const {
        if (!Has(offset, 2)) return false;
        value = bigEndian ? Be16(bytes_ + offset) : Le16(bytes_ + offset);
        return true;
    }
    bool Read32(size_t offset, bool bigEndian, uint32_t& value) const {
        if (!Has(offset, 4)) return false;
        value = bigEndian ? Be32(bytes_ + offset) : Le32(bytes_ + offset);
        return true;
    }
    bool Equals(size_t offset, std::string_view text) const {
        if (!Has(offset, text.size())) return false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (bytes_[offset + i] != static_cast<uint8_t>(text[i])) return false;
        }
        return true;
    }
    ByteReader Part(size_t offset, size_t count) const { return ByteReader(bytes_ + offset, count); }

private:
    const uint8_t* bytes_;
    size_t size_;
};

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;

// The orientation in the TIFF structure of an Exif block (the bytes after "Exif\0\0"), 0 if none.
int OrientationInTiff(const ByteReader& tiff) {
    bool bigEndian;
    if (tiff.Equals(0, "II*\0")) {
        bigEndian = false;
    } else if (tiff.Equals(0, std::string_view("MM\0*", 4))) {
        bigEndian = true;
    } else {
        return 0;
    }
    uint32_t ifd = 0, count = 0;
    if (!tiff.Read32(4, bigEndian, ifd) || !tiff.Read16(ifd, bigEndian, count)) return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = size_t{ifd} + 2 + size_t{i} * 12;
        uint32_t tag = 0, type = 0, items = 0, value = 0;
        if (!tiff.Read16(entry, bigEndian, tag) || !tiff.Read16(entry + 2, bigEndian, type) ||
            !tiff.Read32(entry + 4, bigEndian, items) || !tiff.Read16(entry + 8, bigEndian, value)) {
            return 0;  // the directory runs past the block
        }
        if (tag != kOrientationTag) continue;
        if (type != kTypeShort || items != 1) return 0;
        return static_cast<int>(value);
    }
    return 0;
}

}  // namespace

ExifOrientation ReadExifOrientation(const uint8_t* bytes, size_t size) {
    const ByteReader file(bytes, size);
    JpegSegmentWalker segments(bytes, size);
    JpegSegment segment;
    while (segments.Next(segment)) {
        if (segment.marker != 0xE1 || !file.Equals(segment.payload, std::string_view("Exif\0\0", 6))) continue;
        // A block cut short by the end of the bytes is still read as far as it goes.
        const size_t available = file.Has(segment.payload, segment.payloadSize) ? segment.payloadSize
                                                                                 : size - segment.payload;
        if (available < 6) break;
        const int value = OrientationInTiff(file.Part(segment.payload + 6, available - 6));
        if (value >= 1 && value <= 8) return static_cast<ExifOrientation>(value);
        break;  // only the first Exif block counts
    }
    return ExifOrientation::Normal;
}

UprightPoint UprightPosition(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t x, uint32_t y) {
    const uint32_t right = width - 1 - x;
    const uint32_t bottom = height - 1 - y;
    switch (orientation) {
        case ExifOrientation::MirrorHorizontal: return {right, y};
        case ExifOrientation::Rotate180: return {right, bottom};
        case ExifOrientation::MirrorVertical: return {x, bottom};
        case ExifOrientation::Transpose: return {y, x};
        case ExifOrientation::Rotate90: return {bottom, x};
        case ExifOrientation::Transverse: return {bottom, right};
        case ExifOrientation::Rotate270: return {y, right};
        case ExifOrientation::Normal: break;
    }
    return {x, y};
}

void PlaceRowsUpright(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t firstRow, uint32_t rows,
                      const uint32_t* source, uint32_t* upright) {
    const size_t uprightWidth = SwapsWidthAndHeight(orientation) ? height : width;
    for (uint32_t row = 0; row < rows; ++row) {
        const uint32_t y = firstRow + row;
        const uint32_t* line = source + size_t{row} * width;
        for (uint32_t x = 0; x < width; ++x) {
            const UprightPoint p = UprightPosition(orientation, width, height, x, y);
            upright[size_t{p.y} * uprightWidth + p.x] = line[x];
        }
    }
}

void PlaceRowsUprightInBitmap(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t firstRow,
                              uint32_t rows, const uint8_t* source, size_t sourceStride, uint8_t* bitmap,
                              size_t bitmapStride) {
    const uint32_t uprightHeight = SwapsWidthAndHeight(orientation) ? width : height;
    const auto offset = [&](UprightPoint p) {
        return static_cast<ptrdiff_t>((size_t{uprightHeight} - 1 - p.y) * bitmapStride + size_t{p.x} * 3);
    };
    for (uint32_t row = 0; row < rows; ++row) {
        const uint32_t y = firstRow + row;
        // Along a stored row the upright place moves by the same step from pixel to pixel.
        const ptrdiff_t first = offset(UprightPosition(orientation, width, height, 0, y));
        const ptrdiff_t step = width > 1 ? offset(UprightPosition(orientation, width, height, 1, y)) - first : 0;
        const uint8_t* from = source + size_t{row} * sourceStride;
        for (uint32_t x = 0; x < width; ++x, from += 3) {
            uint8_t* to = bitmap + (first + static_cast<ptrdiff_t>(x) * step);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}
