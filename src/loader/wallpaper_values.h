// The texts the loader registers for a wallpaper: which file, which style, tiled or not.
#pragma once

#include <string>
#include <string_view>

#include "common/picture_entry.h"
#include "common/shared_names.h"


// The three values written to win.ini and to the registry (the file last).
struct WallpaperValues {
    std::string Wallpaper;       // full path of the wallpaper file
    std::string WallpaperStyle;  // "2" stretched, "0" otherwise
    std::string TileWallpaper;   // Tile as a decimal number
};

// "2" for an entry that is stretched and not tiled, "0" for any other.
std::string WallpaperStyleText(const PictureEntry& entry);

// Tile of the entry as decimal text ("1", "0", "-1").
std::string TileWallpaperText(const PictureEntry& entry);

// The wallpaper file: the temporary bitmap in `appFolder` when `useTempBitmap`, else the entry's
// own path unchanged.
std::string WallpaperPathText(const PictureEntry& entry, bool useTempBitmap, std::string_view appFolder);

// All three values for an entry.
WallpaperValues WallpaperValuesFor(const PictureEntry& entry, bool useTempBitmap, std::string_view appFolder);
