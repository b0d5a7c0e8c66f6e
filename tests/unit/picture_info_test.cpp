// The picture information lines beside the miniature.
#include "config/preview/picture_info.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

using Lines = std::vector<std::string>;

TEST(PictureInfoTest, Lines) {
    const std::pair<Lines, Lines> cases[] = {
        {BitmapInfoLines({921654, 640, 480, 24}, ","), {"640x480", "24 Bits (16,7M)", "921,654 bytes"}},
        {BitmapInfoLines({0, 640, -480, 8}, "."), {"640x-480", "8 Bits (256)", "0 bytes"}},
        {BitmapInfoLines({1234567, 1, 1, 1}, "."), {"1x1", "1 Bits (2)", "1.234.567 bytes"}},
        {BitmapInfoLines({-1234, 1, 1, 4}, ","), {"1x1", "4 Bits (16)", "-1,234 bytes"}},
        {BitmapInfoLines({1, 1, 1, 15}, ","), {"1x1", "15 Bits (32k)", "1 bytes"}},
        {BitmapInfoLines({1, 1, 1, 16}, ","), {"1x1", "16 Bits (65k)", "1 bytes"}},
        {BitmapInfoLines({1, 1, 1, 32}, ","), {"1x1", "32 Bits (16,7M)", "1 bytes"}},
        {BitmapInfoLines({1, 1, 1, 2}, ","), {"1x1", "2 Bits ()", "1 bytes"}},
        {DecodedInfoLines(PictureNameKind::Gif, 320, 200, 1000, ","), {"320x200", "8 Bits (256)", "1,000 bytes"}},
        {DecodedInfoLines(PictureNameKind::Jpeg, 40, 30, 999, ","), {"40x30", "24 Bits (16,7M)", "999 bytes"}},
        {DecodedInfoLines(PictureNameKind::None, 1, 1, 1, ","), {}},
        {DecodedInfoLines(PictureNameKind::Bitmap, 1, 1, 1, ","), {}},  // described from its header instead
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

TEST(PictureInfoTest, GroupThousandsAtTheExtremes) {
    EXPECT_EQ(GroupThousands(999, ","), "999");
    EXPECT_EQ(GroupThousands(-100000, "\xA0"), "-100\xA0" "000");
    EXPECT_EQ(GroupThousands(INT64_MIN, ","), "-9,223,372,036,854,775,808");
}

TEST(PictureInfoTest, ReadsTheFieldsOfEitherHeader) {
    std::array<uint8_t, 54> header{'B', 'M', 0x36, 0x10, 0x0E, 0x00};  // bfSize 921654
    header[14] = 40;                                                   // the header's size
    header[18] = 0x80, header[19] = 0x02;                              // biWidth 640
    header[22] = 0x20, header[23] = 0xFE, header[24] = 0xFF, header[25] = 0xFF;  // biHeight -480
    header[28] = 24;                                                   // biBitCount
    EXPECT_EQ(ReadBitmapInfoFields(header.data(), kBitmapInfoBytes), (BitmapInfoFields{921654, 640, -480, 24}));
    EXPECT_EQ(ReadBitmapInfoFields(header.data(), kBitmapInfoBytes - 1), std::nullopt);
    // The older 12-byte header: unsigned 16-bit width and height at 18 and 20, bit count at 24.
    const std::array<uint8_t, 26> core{'B', 'M', 0x1A, 0x10, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0,
                                       0x80, 0x02, 0xFF, 0xFF, 1, 0, 24, 0};
    EXPECT_EQ(ReadBitmapInfoFields(core.data(), core.size()), (BitmapInfoFields{921626, 640, 65535, 24}));
    EXPECT_EQ(ReadBitmapInfoFields(core.data(), core.size() - 1), std::nullopt);
}

}  // namespace
