// Helpers of the loader's end-to-end tests: a resident loader in a fresh folder, the desktop's
// wallpaper values, the settings file's text, and reading back the temporary bitmap.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace loader_e2e {

inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

struct DesktopValues {
    std::optional<std::string> wallpaper, style, tile;
    bool operator==(const DesktopValues&) const = default;
};

inline DesktopValues ReadDesktopValues() {
    return {e2e::ReadRegistryString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper"),
            e2e::ReadRegistryString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle"),
            e2e::ReadRegistryString(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper")};
}

inline void WriteDesktopValues(const std::string& wallpaper, const std::string& style, const std::string& tile) {
    e2e::WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper", wallpaper);
    e2e::WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", style);
    e2e::WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, "TileWallpaper", tile);
}

// Keeps the prefix's wallpaper values as they were before a test.
class SavedDesktopValues {
public:
    SavedDesktopValues() : saved_(ReadDesktopValues()) {}
    ~SavedDesktopValues() {
        Restore("Wallpaper", saved_.wallpaper);
        Restore("WallpaperStyle", saved_.style);
        Restore("TileWallpaper", saved_.tile);
    }

private:
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            e2e::WriteRegistryString(HKEY_CURRENT_USER, kDesktopKey, name, *value);
        } else {
            e2e::DeleteRegistryValue(HKEY_CURRENT_USER, kDesktopKey, name);
        }
    }
    DesktopValues saved_;
};

// One line of the list as the settings file holds it.
struct ListEntry {
    int folderLength;
    std::string path;
    int tile;
    bool stretch;
};

// The settings file's exact text for a list.
inline std::string SettingsText(const std::vector<ListEntry>& entries) {
    std::string text = "\"Version 1.1\"\r\n" + std::to_string(entries.size()) + "\r\n";
    for (const ListEntry& e : entries) {
        text += std::to_string(e.folderLength) + ",\"" + e.path + "\"," + std::to_string(e.tile) + "," +
                (e.stretch ? "#TRUE#" : "#FALSE#") + "\r\n";
    }
    return text;
}

// Waits until the loader `processId` has finished its start: its hidden window, owned by its
// application window, exists, so a session end reaches it; it has waited for messages, which it
// first does in its search for another loader; and its application window carries the resident
// loader's title again, which that search changes while it runs (a configuration program that
// searched meanwhile would find no loader). Returns the hidden window, 0 if it never came. Its
// folder holds a list: without one the loader starts the configuration program first and waits.
inline HWND WaitUntilLoaderResident(DWORD processId, HANDLE process, HWND* applicationWindow = nullptr) {
    HWND application = e2e::WaitForWindowTitled(processId, "Quilloria Loader");
    HWND main =
        application ? e2e::WaitForWindow(processId, [&](HWND w) { return e2e::Owner(w) == application; }) : nullptr;
    const bool idle = main && WaitForInputIdle(process, 10000) == 0;
    const bool titled = idle && e2e::WaitUntil([&] { return e2e::WindowText(application) == "Quilloria Loader"; });
    if (applicationWindow) *applicationWindow = application;
    return titled ? main : nullptr;
}

// The loader started from `folderPath` (ending in a backslash) and found resident: it has read
// the list and waits for messages, so the test may write the file again.
inline e2e::Program StartResidentLoader(const std::string& folderPath, HWND* mainWindow = nullptr,
                                        HWND* applicationWindow = nullptr) {
    e2e::Program loader = e2e::Program::Start(folderPath + "QLLoader.exe");
    HWND main = WaitUntilLoaderResident(loader.Id(), loader.Handle(), applicationWindow);
    EXPECT_NE(main, nullptr) << "the loader did not become resident";
    if (mainWindow) *mainWindow = main;
    return loader;
}
inline e2e::Program StartResidentLoader(const e2e::AppFolder& folder, HWND* mainWindow = nullptr,
                                        HWND* applicationWindow = nullptr) {
    return StartResidentLoader(folder.Path(), mainWindow, applicationWindow);
}

// A 24-bit bitmap file read back: its header facts and its pixels as 0x00RRGGBB.
struct BitmapFile {
    bool valid = false;
    int width = 0, height = 0, bitsPerPixel = 0;
    bool bottomUp = false;
    std::vector<uint32_t> pixels;  // top row first
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline BitmapFile ParseBitmap(const std::string& bytes) {
    BitmapFile bmp;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return bmp;
    auto u32 = [&](size_t at) { return *reinterpret_cast<const uint32_t*>(bytes.data() + at); };
    auto u16 = [&](size_t at) { return *reinterpret_cast<const uint16_t*>(bytes.data() + at); };
    const uint32_t offset = u32(10);
    bmp.width = static_cast<int32_t>(u32(18));
    const int32_t height = static_cast<int32_t>(u32(22));
    bmp.height = height < 0 ? -height : height;
    bmp.bottomUp = height > 0;
    bmp.bitsPerPixel = u16(28);
    if (u32(2) != bytes.size() || u32(14) < 40 || bmp.bitsPerPixel != 24 || u32(30) != 0 || bmp.width <= 0) return bmp;
    const size_t stride = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
    if (offset + stride * bmp.height != bytes.size()) return bmp;
    bmp.pixels.resize(static_cast<size_t>(bmp.width) * bmp.height);
    for (int y = 0; y < bmp.height; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(bmp.bottomUp ? bmp.height - 1 - y : y);
        for (int x = 0; x < bmp.width; ++x) {
            const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + row + static_cast<size_t>(x) * 3);
            bmp.pixels[static_cast<size_t>(y) * bmp.width + x] = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
        }
    }
    bmp.valid = true;
    return bmp;
}

// True when every channel is within `tolerance`.
inline bool Near(uint32_t actual, uint32_t expected, int tolerance = 40) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (a - e > tolerance || e - a > tolerance) return false;
    }
    return true;
}

}  // namespace loader_e2e
