#include "common/exif_orientation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint32_t v, bool big) {
    if (big) {
        out.push_back(static_cast<uint8_t>(v >> 8));
        out.push_back(static_cast<uint8_t>(v));
    } else {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
}
void Put32(Bytes& out, uint32_t v, bool big) {
    Put16(out, big ? v >> 16 : v & 0xFFFF, big);
    Put16(out, big ? v & 0xFFFF : v >> 16, big);
}

// The TIFF block of an Exif segment whose IFD0 holds `tags` (tag, type, count, short value).
struct Tag {
    uint16_t tag, type;
    uint32_t count, value;
};
Bytes Tiff(const std::vector<Tag>& tags, bool big) {
    Bytes t;
    const char* order = big ? "MM" : "II";
    t.insert(t.end(), order, order + 2);
    Put16(t, 42, big);
    Put32(t, 8, big);
    Put16(t, static_cast<uint32_t>(tags.size()), big);
    for (const Tag& tag : tags) {
        Put16(t, tag.tag, big);
        Put16(t, tag.type, big);
        Put32(t, tag.count, big);
        Put16(t, tag.value, big);
        Put16(t, 0, big);
    }
    Put32(t, 0, big);  // no next directory
    return t;
}

Bytes Segment(uint8_t marker, const Bytes& payload) {
    Bytes s{0xFF, marker};
    Put16(s, static_cast<uint32_t>(payload.size() + 2), true);
    s.insert(s.end(), payload.begin(), payload.end());
    return s;
}

Bytes ExifPayload(const Bytes& tiff) {
    Bytes p{'E', 'x', 'i', 'f', 0, 0};
    p.insert(p.end(), tiff.begin(), tiff.end());
    return p;
}

// A JPEG head: SOI, the given segments, then the start of the image data.
Bytes Jpeg(const std::vector<Bytes>& segments) {
    Bytes j{0xFF, 0xD8};
    for (const Bytes& s : segments) j.insert(j.end(), s.begin(), s.end());
    const Bytes sos = Segment(0xDA, Bytes{1, 2, 3, 4});
    j.insert(j.end(), sos.begin(), sos.end());
    return j;
}

int Read(const Bytes& b) { return static_cast<int>(ReadExifOrientation(b.data(), b.size())); }

TEST(ExifOrientation, ReadsEveryOrientationInBothByteOrders) {
    const Bytes jfif = Segment(0xE0, Bytes{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    for (bool big : {false, true}) {
        for (uint32_t value = 1; value <= 8; ++value) {
            const Bytes exif = Segment(0xE1, ExifPayload(Tiff({{0x010F, 2, 4, 0}, {0x0112, 3, 1, value}}, big)));
            EXPECT_EQ(Read(Jpeg({jfif, exif})), static_cast<int>(value)) << "big endian " << big;
        }
    }
}

TEST(ExifOrientation, AnythingElseIsNormal) {
    const Bytes good = Segment(0xE1, ExifPayload(Tiff({{0x0112, 3, 1, 6}}, false)));
    ASSERT_EQ(Read(Jpeg({good})), 6);

    const Bytes xmp = Segment(0xE1, Bytes{'h', 't', 't', 'p', ':', '/', '/'});
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"not a JPEG", Bytes{'B', 'M', 0, 0}},
        {"SOI only", Bytes{0xFF, 0xD8}},
        {"no Exif block", Jpeg({xmp})},
        {"no orientation tag", Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x010F, 2, 4, 0}}, false)))})},
        {"value 0", Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x0112, 3, 1, 0}}, false)))})},
        {"value 9", Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x0112, 3, 1, 9}}, true)))})},
        {"wrong type", Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x0112, 4, 1, 6}}, false)))})},
        {"two values", Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x0112, 3, 2, 6}}, false)))})},
        {"bad byte order", Jpeg({Segment(0xE1, ExifPayload(Bytes{'X', 'X', 42, 0, 8, 0, 0, 0}))})},
        {"Exif after the image data", [&] {
             Bytes b = Jpeg({});
             b.insert(b.end(), good.begin(), good.end());
             return b;
         }()},
        {"garbage between segments", [&] {
             Bytes b{0xFF, 0xD8, 0x12, 0x34};
             b.insert(b.end(), good.begin(), good.end());
             return b;
         }()},
    };
    for (const auto& c : cases) EXPECT_EQ(Read(c.bytes), 1) << c.what;
}

TEST(ExifOrientation, LaterSegmentsAndFillBytesAreFound) {
    Bytes b = Jpeg({Segment(0xE1, Bytes{'h', 't', 't', 'p'}), Segment(0xE2, Bytes(300, 7)),
                    Segment(0xE1, ExifPayload(Tiff({{0x0112, 3, 1, 8}}, true)))});
    b.insert(b.begin() + 2, {0xFF, 0xFF});  // fill bytes before the first marker
    EXPECT_EQ(Read(b), 8);
}

TEST(ExifOrientation, TruncatedBytesNeverReadPastTheEnd) {
    // Every prefix of a valid head: the reader must stay inside the bytes (ASan watches) and
    // gives the orientation only once the tag itself is within them.
    const Bytes full = Jpeg({Segment(0xE1, ExifPayload(Tiff({{0x010F, 2, 4, 0}, {0x0112, 3, 1, 3}}, false)))});
    for (size_t n = 0; n <= full.size(); ++n) {
        Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const int read = Read(prefix);
        EXPECT_TRUE(read == 1 || read == 3) << n;
    }
    EXPECT_EQ(Read(full), 3);
}

TEST(ExifOrientation, DirectoryOffsetsPointingAnywhereAreHarmless) {
    for (uint32_t offset : {0u, 7u, 0xFFFFFFF0u, 0xFFFFFFFFu, 60000u}) {
        Bytes tiff{'I', 'I', 42, 0};
        Put32(tiff, offset, false);
        Put16(tiff, 0xFFFF, false);  // a directory claiming 65535 entries
        EXPECT_EQ(Read(Jpeg({Segment(0xE1, ExifPayload(tiff))})), 1) << offset;
    }
}

// A 3 x 2 image whose pixels are numbered by position, turned by each orientation.
TEST(ExifOrientation, PlacesPixelsUprightForEachOrientation) {
    // Stored:  1 2 3
    //          4 5 6
    const std::vector<uint32_t> stored{1, 2, 3, 4, 5, 6};
    const struct {
        ExifOrientation orientation;
        std::vector<uint32_t> upright;  // rows of the upright image
    } cases[] = {
        {ExifOrientation::Normal, {1, 2, 3, 4, 5, 6}},
        {ExifOrientation::MirrorHorizontal, {3, 2, 1, 6, 5, 4}},
        {ExifOrientation::Rotate180, {6, 5, 4, 3, 2, 1}},
        {ExifOrientation::MirrorVertical, {4, 5, 6, 1, 2, 3}},
        {ExifOrientation::Transpose, {1, 4, 2, 5, 3, 6}},   // 2 wide, 3 high
        {ExifOrientation::Rotate90, {4, 1, 5, 2, 6, 3}},    // clockwise
        {ExifOrientation::Transverse, {6, 3, 5, 2, 4, 1}},
        {ExifOrientation::Rotate270, {3, 6, 2, 5, 1, 4}},   // anticlockwise
    };
    for (const auto& c : cases) {
        // Row by row, as the decoder hands strips over.
        std::vector<uint32_t> upright(6, 0);
        PlaceRowsUpright(c.orientation, 3, 2, 0, 1, stored.data(), upright.data());
        PlaceRowsUpright(c.orientation, 3, 2, 1, 1, stored.data() + 3, upright.data());
        EXPECT_EQ(upright, c.upright) << static_cast<int>(c.orientation);
        EXPECT_EQ(SwapsWidthAndHeight(c.orientation), static_cast<int>(c.orientation) >= 5);
    }
}

}  // namespace
