// The loader's autostart value in the real registry, and finding and ending a running program by
// the title of its application window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/reg_value.h"
#include "common/settings_file.h"
#include "common/window_search.h"
#include "config/code_main.h"
#include "config/config_texts.h"
#include "autostart_guard.h"

namespace {

using namespace config;

constexpr char kScratchKey[] = "Software\\QuilloriaTests\\Autostart";

// Keeps whatever the autostart values held before a test and puts them back afterwards.
class AutostartTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch_,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(scratch_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
    }

    // The type and stored characters of the autostart value (read as the registry keeps it, in
    // UTF-16, so that a terminating NUL would show); type REG_NONE when it is missing.
    static std::pair<DWORD, std::string> RawValue() {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_READ, &key);
        wchar_t buffer[1024];
        DWORD size = sizeof(buffer);
        DWORD type = REG_NONE;
        const LONG read =
            RegQueryValueExW(key, L"Quilloria Loader", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (read != ERROR_SUCCESS) return {REG_NONE, std::string()};
        std::string text;
        for (DWORD i = 0; i < size / sizeof(wchar_t); ++i) text += static_cast<char>(buffer[i]);
        return {type, text};
    }

    AutostartGuard autostart_;
    HKEY scratch_ = nullptr;
};

TEST_F(AutostartTest, RegisterWritesTheLoaderPathAndUnregisterDeletesIt) {
    EXPECT_FALSE(IsAutostartRegistered());
    ASSERT_EQ(RegisterAutostart(), ERROR_SUCCESS);
    const auto [type, bytes] = RawValue();
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // Written without a terminating NUL; Wine's registry adds one to text values by itself.
    const std::string data = "\"" + AppFolder() + "QLLoader.exe\"";
    EXPECT_TRUE(bytes == data || bytes == data + '\0') << bytes;
    EXPECT_EQ(GetRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutostartValueName), data);
    EXPECT_TRUE(IsAutostartRegistered());

    ASSERT_EQ(UnregisterAutostart(), ERROR_SUCCESS);
    EXPECT_EQ(RawValue().first, static_cast<DWORD>(REG_NONE));
    EXPECT_FALSE(IsAutostartRegistered());
    EXPECT_EQ(UnregisterAutostart(), ERROR_FILE_NOT_FOUND);
}

TEST_F(AutostartTest, AnyNonEmptyTextCountsAsRegistered) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(SetRegValue(key, kAutostartValueName, REG_SZ, "x"), ERROR_SUCCESS);
    EXPECT_TRUE(IsAutostartRegistered());
    ASSERT_EQ(SetRegValue(key, kAutostartValueName, REG_SZ, ""), ERROR_SUCCESS);
    EXPECT_FALSE(IsAutostartRegistered());
    ASSERT_EQ(SetRegValue(key, kAutostartValueName, REG_EXPAND_SZ, "C:\\QLLoader.exe"), ERROR_SUCCESS);
    EXPECT_FALSE(IsAutostartRegistered());
    RegCloseKey(key);
    // The current user's value counts as well.
    ASSERT_EQ(WriteAutostartValue(HKEY_CURRENT_USER, kRunKeyPath, "x"), ERROR_SUCCESS);
    EXPECT_TRUE(IsAutostartRegistered());
}

// What GetRegString reads from values of each type and length.
TEST_F(AutostartTest, ReadsOnlyShortTextValues) {
    struct Case {
        const char* what;
        DWORD type;
        std::string data;
        std::string expected;
    };
    const std::string text255(255, 'a');
    const Case cases[] = {
        {"text", REG_SZ, "C:\\Q\\QLLoader.exe", "C:\\Q\\QLLoader.exe"},
        {"text with its NUL", REG_SZ, std::string("C:\\Q.exe\0", 9), "C:\\Q.exe"},
        {"text cut at an inner NUL", REG_SZ, std::string("ab\0cd", 5), "ab"},
        {"255 characters", REG_SZ, text255, text255},
        {"256 characters", REG_SZ, std::string(256, 'b'), ""},
        {"256 characters and NUL", REG_SZ, std::string(256, 'b') + '\0', ""},
        {"1000 characters", REG_SZ, std::string(1000, 'c'), ""},
        {"expandable text", REG_EXPAND_SZ, "C:\\Q.exe", ""},
        {"binary", REG_BINARY, "C:\\Q.exe", ""},
        {"number", REG_DWORD, std::string("\1\0\0\0", 4), ""},
        {"empty text", REG_SZ, "", ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetValueExA(scratch_, "v", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                                 static_cast<DWORD>(c.data.size())),
                  ERROR_SUCCESS)
            << c.what;
        EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kScratchKey, "v"), c.expected) << c.what;
    }
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kScratchKey, "missing"), "");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, "Software\\QuilloriaTests\\NoSuchKey", "v"), "");
}

// Writing or deleting in a key that cannot be opened reports why, instead of passing it over.
TEST_F(AutostartTest, FailuresAreReported) {
    const std::string missing = "Software\\QuilloriaTests\\NoSuchKey";
    EXPECT_EQ(WriteAutostartValue(HKEY_LOCAL_MACHINE, missing, "C:\\QLLoader.exe"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(DeleteAutostartValue(HKEY_CURRENT_USER, missing), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(WriteAutostartValue(HKEY_CURRENT_USER, kScratchKey, "C:\\QLLoader.exe"), ERROR_SUCCESS);
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, kScratchKey, kAutostartValueName), "C:\\QLLoader.exe");
    EXPECT_EQ(DeleteAutostartValue(HKEY_CURRENT_USER, kScratchKey), ERROR_SUCCESS);
}

// Starts the configuration program beside this test, finds it by its application title through
// the owner of its window, and ends its process.
TEST(LoaderControlTest, FindsAProgramByItsOwnerTitleAndEndsIt) {
    HWND start = CreateWindowExA(0, "STATIC", "Quilloria", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(start);
    // A window whose own text matches but that owns nothing is not found.
    EXPECT_EQ(FindOwnerWindowByTitle("Quilloria"), nullptr);

    const std::string program = AppFolder() + "Quilloria.exe";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    WaitForInputIdle(process.hProcess, 10000);
    HWND found = nullptr;
    for (int i = 0; i < 100 && !found; ++i) {
        found = FindOwnerWindowByTitle("Quilloria");
        if (!found) Sleep(50);
    }
    ASSERT_TRUE(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    EXPECT_EQ(owner, process.dwProcessId);
    EXPECT_EQ(FindOwnerWindowByTitle("quilloria"), nullptr);
    EXPECT_EQ(FindOwnerWindowByTitle("Quilloria "), nullptr);

    TerminateWindowProcess(found);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DestroyWindow(start);
}

BOOL CALLBACK ListWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// A window that goes while the search processes its messages (a program that closes a window
// meanwhile) does not end the search early: the owner behind it is still found.
TEST(LoaderControlTest, AWindowDestroyedDuringTheSearchDoesNotHideTheOwner) {
    HWND owner = CreateWindowExA(0, "STATIC", "Quilloria Search Target", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND owned = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, owner, nullptr, nullptr, nullptr);
    // In front of every other window, so the search meets it first; closed at its first messages.
    HWND goner = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner && owned && goner);
    std::vector<HWND> listed;
    EnumWindows(ListWindow, reinterpret_cast<LPARAM>(&listed));
    const auto at = [&](HWND w) { return std::find(listed.begin(), listed.end(), w) - listed.begin(); };
    ASSERT_LT(at(goner), at(owned)) << "the search must meet the closing window before the owned one";
    PostMessageA(goner, WM_CLOSE, 0, 0);
    EXPECT_EQ(FindOwnerWindowByTitle("Quilloria Search Target"), owner);
    EXPECT_FALSE(IsWindow(goner));
    DestroyWindow(owned);
    DestroyWindow(owner);
}

}  // namespace
