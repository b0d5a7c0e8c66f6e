// The kind of picture a file name announces, which decides whether "&Add..." takes a file, how
// its information is read, and whether the loader converts it.
#include "common/picture_name.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureName, KindFromTheLastThreeCharacters) {
    using enum PictureNameKind;
    const std::pair<const char*, PictureNameKind> cases[] = {
        {"C:\\sunset.bmp", Bitmap}, {"Sunset.BMP", Bitmap},     {"C:\\a.Bmp", Bitmap},   {"C:\\abmp", Bitmap},
        {"bmp", Bitmap},            {"C:\\x.dib.bmp", Bitmap},  {"LOGO.GIF", Gif},       {"anim.GiF", Gif},
        {"a.jpg", Jpeg},            {"PICTURE.JPG", Jpeg},      {"C:\\namejpg", Jpeg},   {"jpg", Jpeg},
        {"photo.jpeg", None},       {"a.png", None},            {"a.bmp ", None},        {"C:\\a.bmpx", None},
        {"C:\\bmp\\a.jpeg", None},  {"mp", None},               {"", None},
    };
    for (const auto& [name, kind] : cases) EXPECT_EQ(PictureKindOfName(name), kind) << name;
}

}  // namespace
