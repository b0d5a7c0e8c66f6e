// Registering a list entry as the desktop wallpaper for the next logon: in the "Desktop"
// section of win.ini and in HKEY_CURRENT_USER\Control Panel\Desktop. The running desktop is not
// told; it reads the values at the next logon. Failures are passed over silently.
#pragma once

#include "common/picture_entry.h"

namespace loader {

// Writes Wallpaper, WallpaperStyle and TileWallpaper of `entry` (the list's entry 1 as the
// session end read it) to win.ini. `UseTempBitmap`: the wallpaper file is the temporary bitmap,
// not the entry's own file.
void SetWinIniWallpaper(const PictureEntry& entry, bool UseTempBitmap);

// Writes the same three values to the registry key.
void SetRegistryWallpaper(const PictureEntry& entry, bool UseTempBitmap);

// When the registered wallpaper is a file this loader registered (the temporary bitmap, or the
// bitmap of the list's last entry, which the last session end moved there) and the file is there,
// hands it to the running desktop once. A desktop that draws from a cached copy of the wallpaper
// would otherwise not see that the file changed at the same path. The stored values stay as they
// are.
void ApplyRegisteredWallpaper();

}  // namespace loader
