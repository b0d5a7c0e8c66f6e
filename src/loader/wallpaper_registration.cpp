#include "loader/wallpaper_registration.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "common/file_system.h"
#include "common/picture_name.h"
#include "common/reg_value.h"
#include "common/scoped_win.h"
#include "common/shared_names.h"
#include "common/settings_file.h"
#include "loader/frm_main.h"
#include "loader/wallpaper_values.h"

namespace loader {

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// The desktop key's "Wallpaper" text, or nothing when it cannot be read.
std::optional<std::string> RegisteredWallpaper() {
    ScopedRegKey key;
    if (key.Open(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return std::nullopt;
    char buffer[4096];
    DWORD type = 0, size = sizeof(buffer);
    if (RegQueryValueExA(key.get(), "Wallpaper", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    std::string text(buffer, size);  // stored with or without its NUL
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
}  // namespace

void SetWinIniWallpaper(const PictureEntry& entry, bool UseTempBitmap) {
    const WallpaperValues values = WallpaperValuesFor(entry, UseTempBitmap, AppFolder());
    // The file last: an end between two writes then leaves the previous picture in the new style,
    // never the new picture in the old one (Windows maps these keys to the registry's values).
    WritePrivateProfileStringA("Desktop", "WallpaperStyle", values.WallpaperStyle.c_str(), "win.ini");
    WritePrivateProfileStringA("Desktop", "TileWallpaper", values.TileWallpaper.c_str(), "win.ini");
    WritePrivateProfileStringA("Desktop", "Wallpaper", values.Wallpaper.c_str(), "win.ini");
}

void SetRegistryWallpaper(const PictureEntry& entry, bool UseTempBitmap) {
    const WallpaperValues values = WallpaperValuesFor(entry, UseTempBitmap, AppFolder());
    ScopedRegKey key;
    // A key that cannot be opened leaves nothing to write to.
    if (key.Open(HKEY_CURRENT_USER, kDesktopKey, kRegistryWriteAccess) != ERROR_SUCCESS) return;
    SetRegValue(key.get(), "WallpaperStyle", REG_SZ, values.WallpaperStyle);
    SetRegValue(key.get(), "TileWallpaper", REG_SZ, values.TileWallpaper);
    SetRegValue(key.get(), "Wallpaper", REG_SZ, values.Wallpaper);  // the file last, as above
}

void ApplyRegisteredWallpaper() {
    const std::optional<std::string> registered = RegisteredWallpaper();
    if (!registered || registered->empty()) return;
    const int count = PictureCount(Pictures);
    const bool ours = SamePath(*registered, TempBitmapPath()) ||
                      (count >= 1 && PictureKindOfName(Pictures[count].Path) == PictureNameKind::Bitmap && SamePath(*registered, Pictures[count].Path));
    if (!ours || !PlainFileExists(*registered)) return;
    std::string path = *registered;
    // Stored as well (the same path the values already hold; the styles stay): a wallpaper set for
    // the session alone would outlive the file's folder in Wine's session settings, where later
    // desktops read it.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_UPDATEINIFILE);
}

}  // namespace loader
