// Files and folders dropped on the configuration window as Explorer hands them over: the rules of
// "Add...", a folder's pictures in Explorer's order, a Chinese name under the Western code page the
// Win32 tests run in, and the Delete key.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/settings_file.h"
#include "config/frm_main.h"
#include "test_pictures.h"

namespace {

using namespace config;

// A drop of `paths` as Explorer hands it over: a DROPFILES block with wide names.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    size_t chars = 1;
    for (const std::wstring& path : paths) chars += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) out = std::copy(path.begin(), path.end(), out) + 1;
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void WriteFileW(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Ascii(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(DropFiles, FilesAndFoldersJoinTheListByTheRulesOfAdd) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"ql-drop-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    const std::wstring pics = folder + L"pics\\", chinese = folder + L"\x7167\x7247.jpg";  // zhaopian
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(pics.c_str(), nullptr);
    const std::string picture = test_pictures::BitmapFile(2, 2, test_pictures::Quadrants(2, 2));
    for (const wchar_t* name : {L"b10.jpg", L"B2.gif", L"a.bmp", L"notes.txt", L"hidden.jpg"}) {
        WriteFileW(pics + name, picture);  // the decoder goes by the content, not the ending
    }
    SetFileAttributesW((pics + L"hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    for (const std::wstring& path : {chinese, folder + L"x.JPG", folder + L"z.png"}) WriteFileW(path, picture);
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(chinese.c_str(), shortPath, MAX_PATH), 0u);
    const std::string stored = Ascii(shortPath);  // Wine's short names are ASCII

    Pictures = EmptyPictureList();
    Pictures.push_back({3, "C:\\keep.bmp", 1, false});
    ConfigMainForm form;
    ASSERT_TRUE(form.Load(GetModuleHandleA(nullptr), nullptr));
    form.Form_Activate();
    HWND list = form.Control(MainControl::lPix);
    SendMessageA(list, LB_SETCURSEL, 0, 0);  // selected before the drop, and after it
    const auto rows = [&] {
        std::vector<std::string> texts;
        for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[256] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    };

    // The refused name gets its message, answered from another thread.
    std::wstring message;
    std::thread answer([&] {
        HWND box = nullptr;
        for (int wait = 0; wait < 500 && !box; ++wait, Sleep(10)) box = FindWindowW(L"#32770", L"Error:");
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        message = text;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    const HDROP drop = MakeDrop({folder + L"x.JPG", folder + L"pics", folder + L"z.png", chinese});
    SendMessageW(form.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    answer.join();
    EXPECT_EQ(message, L"z.png\n\nInvalid Picture!\n\nFile will not be added to the list...");
    EXPECT_EQ(rows(), (std::vector<std::string>{"keep.bmp", "x.JPG", "a.bmp", "B2.gif", "b10.jpg",
                                                stored.substr(stored.rfind('\\') + 1)}));
    ASSERT_EQ(PictureCount(Pictures), 6);
    EXPECT_EQ(Pictures[5], (PictureEntry{static_cast<int16_t>(pics.size()), Ascii(pics) + "b10.jpg", 0, false}));
    EXPECT_EQ(Pictures[6].Path, stored);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);

    // The Delete key does what "Remove" does, and nothing while "Remove" is off.
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(PictureCount(Pictures), 6);
    EnableWindow(form.Control(MainControl::btnRemove), TRUE);
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(rows().front(), "x.JPG");
    // The picture stored by its short name is shown like any other.
    SendMessageA(list, LB_SETCURSEL, 4, 0);
    form.lPix_Click();
    EXPECT_EQ(PictureCount(Pictures), 5);
    EXPECT_EQ(form.MiniaturePicture().Width(), 2);

    form.Unload();
    for (MSG pending; PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE);) {
    }
    Pictures.clear();
    const std::wstring from = folder + L'\0';
    SHFILEOPSTRUCTW remove{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NO_UI, FALSE, nullptr, nullptr};
    SHFileOperationW(&remove);
}

}  // namespace
