#include "loader/wallpaper_registration.h"

#include <windows.h>

#include "common/reg_value.h"
#include "common/scoped_win.h"
#include "common/shared_names.h"
#include "common/settings_file.h"
#include "loader/wallpaper_values.h"

namespace loader {

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

bool HasEntryOne() { return PictureCount(Pictures) >= 1; }
}  // namespace

void SetWinIniWallpaper(bool UseTempBitmap) {
    if (!HasEntryOne()) return;
    const WallpaperValues values = WallpaperValuesFor(Pictures[1], UseTempBitmap, AppFolder());
    WritePrivateProfileStringA("Desktop", "Wallpaper", values.Wallpaper.c_str(), "win.ini");
    WritePrivateProfileStringA("Desktop", "WallpaperStyle", values.WallpaperStyle.c_str(), "win.ini");
    WritePrivateProfileStringA("Desktop", "TileWallpaper", values.TileWallpaper.c_str(), "win.ini");
}

void SetRegistryWallpaper(bool UseTempBitmap) {
    if (!HasEntryOne()) return;
    const WallpaperValues values = WallpaperValuesFor(Pictures[1], UseTempBitmap, AppFolder());
    ScopedRegKey key;
    // A key that cannot be opened leaves nothing to write to.
    if (key.Open(HKEY_CURRENT_USER, kDesktopKey, kRegistryWriteAccess) != ERROR_SUCCESS) return;
    SetRegValue(key.get(), "Wallpaper", REG_SZ, values.Wallpaper);
    SetRegValue(key.get(), "WallpaperStyle", REG_SZ, values.WallpaperStyle);
    SetRegValue(key.get(), "TileWallpaper", REG_SZ, values.TileWallpaper);
}

}  // namespace loader
