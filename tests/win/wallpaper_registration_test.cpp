// SetRegValue's data sizes, and the wallpaper values written through win.ini and through the
// registry, which must land identically in HKCU\Control Panel\Desktop.
#include "loader/wallpaper_registration.h"

#include <gtest/gtest.h>

#include <optional>

#include "common/reg_value.h"
#include "common/settings_file.h"

namespace {

using loader::SetRegistryWallpaper;
using loader::SetWinIniWallpaper;

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr const char* kNames[] = {"Wallpaper", "WallpaperStyle", "TileWallpaper"};

struct RegistryValue {
    DWORD type = 0;
    std::string bytes;  // as RegQueryValueExA hands them over, size included
    bool operator==(const RegistryValue&) const = default;
};

std::optional<RegistryValue> Query(HKEY root, const char* key, const char* name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    RegistryValue value;
    char data[4096];
    DWORD size = sizeof(data);
    const LONG result = RegQueryValueExA(opened, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS) return std::nullopt;
    value.bytes.assign(data, size);
    return value;
}

// The text of a REG_SZ value, whether or not it was stored with a NUL.
std::string Text(const std::optional<RegistryValue>& value) {
    if (!value) return "<missing>";
    return std::string(value->bytes.c_str());
}

class SetRegValueTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    static constexpr char kKey[] = "Software\\Quilloria Tests\\SetRegValue";
    HKEY key_ = nullptr;
};

TEST_F(SetRegValueTest, StoresExactlyTheText) {
    // SetRegValue passes the size without the NUL. Windows NT (and Wine, like it) then stores the
    // NUL that follows the text anyway, so a reader sees exactly the text and nothing after it.
    const struct {
        const char* text;
        DWORD size;
    } cases[] = {{"0", 1}, {"", 0}, {"1", 1}, {"C:\\Program Files\\Quilloria\\Quilloria.bmp", 40}};
    for (const auto& c : cases) {
        ASSERT_EQ(SetRegValue(key_, "Value", REG_SZ, c.text), ERROR_SUCCESS) << c.text;
        DWORD type = 0, wideSize = 0;
        ASSERT_EQ(RegQueryValueExW(key_, L"Value", nullptr, &type, nullptr, &wideSize), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        if (c.size == 0) {
            EXPECT_EQ(wideSize, 0u);  // the empty text stays empty: no NUL is added
        } else {
            EXPECT_TRUE(wideSize == 2 * c.size || wideSize == 2 * (c.size + 1)) << c.text << ": " << wideSize;
        }
        const auto read = Query(HKEY_CURRENT_USER, kKey, "Value");
        ASSERT_TRUE(read);
        EXPECT_EQ(read->bytes.substr(0, c.size), c.text);
        EXPECT_TRUE(read->bytes.size() == c.size || read->bytes[c.size] == '\0') << c.text;
    }
}

TEST_F(SetRegValueTest, AnUnopenedKeyFailsAndIsOnlyReported) {
    EXPECT_NE(SetRegValue(nullptr, "Value", REG_SZ, "1"), ERROR_SUCCESS);
}

// Keeps the desktop's wallpaper values of the test prefix as they were.
class WallpaperRegistrationTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) saved_.push_back(Query(HKEY_CURRENT_USER, kDesktopKey, name));
    }
    void TearDown() override {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key);
        for (size_t i = 0; i < saved_.size(); ++i) {
            if (saved_[i]) {
                RegSetValueExA(key, kNames[i], 0, saved_[i]->type, reinterpret_cast<const BYTE*>(saved_[i]->bytes.data()),
                               static_cast<DWORD>(saved_[i]->bytes.size()));
            } else {
                RegDeleteValueA(key, kNames[i]);
            }
        }
        RegCloseKey(key);
    }
    static void Clear() {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key);
        for (const char* name : kNames) RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    static std::vector<std::optional<RegistryValue>> Values() {
        std::vector<std::optional<RegistryValue>> values;
        for (const char* name : kNames) values.push_back(Query(HKEY_CURRENT_USER, kDesktopKey, name));
        return values;
    }

    std::vector<std::optional<RegistryValue>> saved_;
};

TEST_F(WallpaperRegistrationTest, WinIniAndRegistryReceiveTheSameValues) {
    const struct {
        PictureEntry entry;
        bool useTempBitmap;
        const char* wallpaper;
        const char* style;
        const char* tile;
    } cases[] = {
        {{3, "D:\\Sunset.BMP", 1, true}, false, "D:\\Sunset.BMP", "0", "1"},
        {{8, "C:\\Pics\\a.jpg", 0, true}, true, "<temp>", "2", "0"},
        {{8, "C:\\Pics\\b.gif", 0, false}, true, "<temp>", "0", "0"},
    };
    for (const auto& c : cases) {
        const std::string wallpaper = std::string(c.wallpaper) == "<temp>" ? AppFolder() + "Quilloria.bmp" : c.wallpaper;

        Clear();
        SetWinIniWallpaper(c.entry, c.useTempBitmap);
        const auto fromWinIni = Values();
        char profile[MAX_PATH] = {};
        GetProfileStringA("Desktop", "Wallpaper", "", profile, sizeof(profile));
        EXPECT_EQ(profile, wallpaper);

        Clear();
        SetRegistryWallpaper(c.entry, c.useTempBitmap);
        const auto fromRegistry = Values();

        EXPECT_EQ(Text(fromRegistry[0]), wallpaper) << c.entry.Path;
        EXPECT_EQ(Text(fromRegistry[1]), c.style) << c.entry.Path;
        EXPECT_EQ(Text(fromRegistry[2]), c.tile) << c.entry.Path;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(Text(fromWinIni[i]), Text(fromRegistry[i])) << kNames[i];
            ASSERT_TRUE(fromRegistry[i]);
            EXPECT_EQ(fromRegistry[i]->type, static_cast<DWORD>(REG_SZ));
        }
    }
}

}  // namespace
