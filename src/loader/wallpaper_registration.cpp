#include "loader/wallpaper_registration.h"

#include <windows.h>

#include "common/reg_value.h"
#include "common/settings_file.h"
#include "loader/wallpaper_values.h"

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr REGSAM kDesktopAccess = 0xF0063;  // KEY_ALL_ACCESS without KEY_CREATE_LINK

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
    HKEY key = nullptr;
    // A key that cannot be opened leaves nothing to write to.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, kDesktopAccess, &key) != ERROR_SUCCESS) return;
    SetRegValue(key, "Wallpaper", REG_SZ, values.Wallpaper);
    SetRegValue(key, "WallpaperStyle", REG_SZ, values.WallpaperStyle);
    SetRegValue(key, "TileWallpaper", REG_SZ, values.TileWallpaper);
    RegCloseKey(key);
}
