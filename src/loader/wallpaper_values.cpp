#include "loader/wallpaper_values.h"

std::string WallpaperStyleText(const PictureEntry& entry) {
    if (entry.Tile != 0) return "0";
    return entry.Stretch ? "2" : "0";
}

std::string TileWallpaperText(const PictureEntry& entry) { return std::to_string(entry.Tile); }

std::string WallpaperPathText(const PictureEntry& entry, bool useTempBitmap, std::string_view appFolder) {
    if (!useTempBitmap) return entry.Path;
    return std::string(appFolder) + kTempBitmapName;
}

WallpaperValues WallpaperValuesFor(const PictureEntry& entry, bool useTempBitmap, std::string_view appFolder) {
    return {WallpaperPathText(entry, useTempBitmap, appFolder), WallpaperStyleText(entry), TileWallpaperText(entry)};
}
