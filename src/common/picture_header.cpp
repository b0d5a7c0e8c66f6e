#include "common/picture_header.h"

#include <algorithm>
#include <cstring>

#include "common/picture_bytes.h"

namespace {

bool StartsWith(const uint8_t* bytes, size_t size, const char* text, size_t length) {
    return size >= length && std::memcmp(bytes, text, length) == 0;
}

ClaimedSize Known(uint64_t width, uint64_t height) {
    ClaimedSize s;
    s.status = (width == 0 || height == 0) ? ClaimedSize::Status::Invalid : ClaimedSize::Status::Known;
    s.width = width;
    s.height = height;
    return s;
}

ClaimedSize Bitmap(const uint8_t* b, size_t size) {
    if (size < 18) return {};
    const uint32_t headerSize = Le32(b + 14);
    if (headerSize == 12) {  // the old OS/2 header: 16-bit sides
        if (size < 22) return {};
        return Known(Le16(b + 18), Le16(b + 20));
    }
    if (size < 26) return {};
    const int32_t width = static_cast<int32_t>(Le32(b + 18));
    const int32_t height = static_cast<int32_t>(Le32(b + 22));
    if (width <= 0 || height == 0 || height == INT32_MIN) return Known(0, 0);
    return Known(static_cast<uint64_t>(width), static_cast<uint64_t>(height < 0 ? -int64_t{height} : height));
}

ClaimedSize Png(const uint8_t* b, size_t size) {
    if (size < 24 || std::memcmp(b + 12, "IHDR", 4) != 0) return {};
    return Known(Be32(b + 16), Be32(b + 20));
}

// The first frame header (SOF) holds the sides: precision, then height and width.
ClaimedSize Jpeg(const uint8_t* b, size_t size) {
    JpegSegmentWalker segments(b, size);
    JpegSegment segment;
    while (segments.Next(segment)) {
        const uint8_t marker = segment.marker;
        const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frameHeader) continue;
        if (segment.payload + 5 > size) return {};
        return Known(Be16(b + segment.payload + 3), Be16(b + segment.payload + 1));
    }
    return {};  // no frame header before the image data
}

// Skips GIF data sub-blocks from `pos`; returns the position after the terminator, or 0 if the
// bytes end first.
size_t SkipSubBlocks(const uint8_t* b, size_t size, size_t pos) {
    while (pos < size) {
        const size_t length = b[pos];
        if (length == 0) return pos + 1;
        pos += 1 + length;
    }
    return 0;
}

ClaimedSize Gif(const uint8_t* b, size_t size) {
    if (size < 13) return {};
    uint64_t width = Le16(b + 6), height = Le16(b + 8);
    if (width == 0 || height == 0) return Known(0, 0);
    size_t pos = 13;
    if (b[10] & 0x80) pos += size_t{3} << ((b[10] & 7) + 1);  // global colour table
    // Every frame the bytes hold: a decoder allocates each frame at its own size.
    while (pos < size) {
        const uint8_t block = b[pos];
        if (block == 0x3B) break;  // trailer
        if (block == 0x21) {       // extension: label, then sub-blocks
            if (pos + 2 > size) break;
            pos = SkipSubBlocks(b, size, pos + 2);
            if (pos == 0) break;
        } else if (block == 0x2C) {  // image descriptor
            if (pos + 10 > size) break;
            const uint32_t frameWidth = Le16(b + pos + 5), frameHeight = Le16(b + pos + 7);
            if (frameWidth == 0 || frameHeight == 0) return Known(0, 0);
            width = std::max<uint64_t>(width, frameWidth);
            height = std::max<uint64_t>(height, frameHeight);
            const uint8_t flags = b[pos + 9];
            pos += 10;
            if (flags & 0x80) pos += size_t{3} << ((flags & 7) + 1);  // local colour table
            pos = SkipSubBlocks(b, size, pos + 1);                    // LZW code size, then data
            if (pos == 0) break;
        } else {
            break;  // damaged: the decoder will say so
        }
    }
    return Known(width, height);
}

}  // namespace

ClaimedSize ReadClaimedSize(const uint8_t* bytes, size_t size) {
    if (!bytes) return {};
    if (StartsWith(bytes, size, "BM", 2)) return Bitmap(bytes, size);
    if (StartsWith(bytes, size, "GIF87a", 6) || StartsWith(bytes, size, "GIF89a", 6)) return Gif(bytes, size);
    if (StartsWith(bytes, size, "\x89PNG\r\n\x1a\n", 8)) return Png(bytes, size);
    if (StartsWith(bytes, size, "\xFF\xD8", 2)) return Jpeg(bytes, size);
    return {};
}

bool SizeWithinLimits(uint64_t width, uint64_t height, uint64_t maxSide, uint64_t maxPixels) {
    if (width == 0 || height == 0 || width > maxSide || height > maxSide) return false;
    return width * height <= maxPixels;  // both at most maxSide (< 2^32): no overflow
}

uint64_t MaxPixelsForAddressSpace(PictureUse use, uint64_t addressSpaceBytes) {
    constexpr uint64_t kMost = 256ull * 1024 * 1024;
    // Bytes a pixel costs while it is decoded: the decoder's copy (3 for a photo) and ours (3 for a
    // turned conversion; 4 for a preview, whose previous picture of up to the same size is held
    // until the new one is shown).
    const uint64_t bytesPerPixel = use == PictureUse::Conversion ? 3 + 3 : 3 + 4 + 4;
    // Windows reports the addresses less a few reserved pages: counted in whole gigabytes. Code,
    // heaps and the address space's fragments take what is left after 3/8 of them.
    const uint64_t gigabytes = (addressSpaceBytes + (1ull << 30) - 1) >> 30;
    const uint64_t room = (gigabytes << 30) / 8 * 3 / bytesPerPixel;
    uint64_t limit = kMost;
    while (limit > room && limit > 1) limit /= 2;
    return limit;
}
