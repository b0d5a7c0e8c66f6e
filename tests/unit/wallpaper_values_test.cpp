#include "loader/wallpaper_values.h"

#include <gtest/gtest.h>

namespace {

TEST(WallpaperValues, EachStyleGivesItsTexts) {
    const struct {
        const char* style;
        int16_t tile;
        bool stretch;
        const char* wallpaperStyle;
        const char* tileWallpaper;
    } cases[] = {
        {"tiled", 1, false, "0", "1"},
        {"tiled, left stretched", 1, true, "0", "1"},
        {"stretched", 0, true, "2", "0"},
        {"centred", 0, false, "0", "0"},
        {"damaged negative tile", -1, true, "0", "-1"},
        {"damaged large tile", 32767, false, "0", "32767"},
    };
    for (const auto& c : cases) {
        const PictureEntry entry{3, "C:\\a.jpg", c.tile, c.stretch};
        const WallpaperValues values = WallpaperValuesFor(entry, true, "C:\\App\\");
        EXPECT_EQ(values.WallpaperStyle, c.wallpaperStyle) << c.style;
        EXPECT_EQ(values.TileWallpaper, c.tileWallpaper) << c.style;
        EXPECT_EQ(values.Wallpaper, "C:\\App\\Quilloria.bmp") << c.style;
    }
}

TEST(WallpaperValues, ABitmapIsRegisteredByItsOwnPath) {
    const PictureEntry entry{3, "C:\\Old Pics\\Photo.BMP", 0, false};
    EXPECT_EQ(WallpaperPathText(entry, false, "C:\\App\\"), "C:\\Old Pics\\Photo.BMP");
    EXPECT_EQ(WallpaperPathText(entry, true, "C:\\App\\"), "C:\\App\\Quilloria.bmp");
    EXPECT_EQ(WallpaperPathText(entry, true, "D:\\"), "D:\\Quilloria.bmp");
}

}  // namespace
