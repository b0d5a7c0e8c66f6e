// The picture information lines beside the miniature.
#include "config/preview/picture_info.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

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
        {DecodedInfoLines(InfoKind::Gif, 320, 200, 1000, ","), {"320x200", "8 Bits (256)", "1,000 bytes"}},
        {DecodedInfoLines(InfoKind::Jpeg, 40, 30, 999, ","), {"40x30", "24 Bits (16,7M)", "999 bytes"}},
        {DecodedInfoLines(InfoKind::None, 1, 1, 1, ","), {}},
        {DecodedInfoLines(InfoKind::Bitmap, 1, 1, 1, ","), {}},  // described from its header instead
    };
    for (const auto& [actual, expected] : cases) EXPECT_EQ(actual, expected);
}

TEST(PictureInfoTest, KindFromTheLastThreeCharacters) {
    const std::pair<const char*, InfoKind> cases[] = {
        {"C:\\sunset.bmp", InfoKind::Bitmap}, {"PICTURE.JPG", InfoKind::Jpeg}, {"anim.GiF", InfoKind::Gif},
        {"C:\\namejpg", InfoKind::Jpeg},      {"bmp", InfoKind::Bitmap},       {"photo.jpeg", InfoKind::None},
        {"mp", InfoKind::None},               {"", InfoKind::None},
    };
    for (const auto& [path, kind] : cases) EXPECT_EQ(InfoKindOf(path), kind) << path;
}

TEST(PictureInfoTest, GroupThousandsAtTheExtremes) {
    EXPECT_EQ(GroupThousands(999, ","), "999");
    EXPECT_EQ(GroupThousands(-100000, "\xA0"), "-100\xA0" "000");
    EXPECT_EQ(GroupThousands(INT64_MIN, ","), "-9,223,372,036,854,775,808");
}

// The fields come from whichever info header the file has; its size at offset 14 tells which.
TEST(PictureInfoTest, ReadsTheFieldsOfEitherHeader) {
    const auto bytes = [](std::initializer_list<std::pair<size_t, std::vector<uint8_t>>> fields) {
        std::vector<uint8_t> head(kBitmapInfoBytes);
        head[0] = 'B', head[1] = 'M';
        for (const auto& [offset, values] : fields) std::copy(values.begin(), values.end(), head.begin() + offset);
        return head;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> head;
        size_t size;
        std::optional<BitmapInfoFields> fields;
    };
    const Case cases[] = {
        {"40-byte header, top-down",
         bytes({{2, {0x36, 0x10, 0x0E}}, {14, {40}}, {18, {0x80, 0x02}}, {22, {0x20, 0xFE, 0xFF, 0xFF}}, {28, {24}}}),
         kBitmapInfoBytes, BitmapInfoFields{921654, 640, -480, 24}},
        {"40-byte header cut short", bytes({{14, {40}}}), kBitmapInfoBytes - 1, std::nullopt},
        // Width and height are 16-bit and unsigned; the bit count follows the planes.
        {"12-byte header", bytes({{2, {0x1A, 0x10, 0x0E}}, {14, {12}}, {18, {0x80, 0x02, 0xE0, 0x01, 1, 0, 24}}}), 26,
         BitmapInfoFields{921626, 640, 480, 24}},
        {"12-byte header, widest", bytes({{14, {12}}, {18, {0xFF, 0xFF, 0x01, 0x80, 1, 0, 8}}}), 26,
         BitmapInfoFields{0, 65535, 32769, 8}},
        {"12-byte header cut short", bytes({{14, {12}}}), 25, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadBitmapInfoFields(c.head.data(), c.size), c.fields) << c.what;
}

}  // namespace
