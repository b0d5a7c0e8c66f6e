// Files and folders dropped on the configuration window, as Explorer hands them over, and a picture
// whose name the ANSI code page cannot express.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/file_system.h"
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

std::string AnsiText(const std::wstring& text) {
    char bytes[2048] = {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes, sizeof(bytes),
                                           nullptr, nullptr);
    return std::string(bytes, static_cast<size_t>(length));
}

void WriteFileW(const std::wstring& path, const std::string& bytes = "x") {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Saves what the screen shows of `window` as a bitmap file.
void SaveScreenshot(HWND window, const std::string& path) {
    RECT area{};
    GetWindowRect(window, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP surface = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, surface);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    test_pictures::WriteBytes(path, test_pictures::BitmapFile(width, height, [&](int x, int y) {
                                  return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF;
                              }));
    SelectObject(memory, old);
    DeleteObject(surface);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// Answers every "Error:" message box of this process with OK and keeps its text.
class ErrorAnswerer {
public:
    ErrorAnswerer()
        : thread_([this] {
              while (!stop_) {
                  HWND box = FindWindowW(L"#32770", L"Error:");
                  DWORD process = 0;
                  if (box) GetWindowThreadProcessId(box, &process);
                  if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
                      wchar_t text[1024] = {};
                      GetDlgItemTextW(box, 0xFFFF, text, 1024);
                      {
                          const std::lock_guard lock(mutex_);
                          texts_.push_back(text);
                      }
                      PostMessageW(box, WM_COMMAND, IDOK, 0);
                      while (IsWindow(box)) Sleep(10);
                  }
                  Sleep(10);
              }
          }) {}
    ~ErrorAnswerer() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::wstring> Texts() {
        const std::lock_guard lock(mutex_);
        return texts_;
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::wstring> texts_;
    std::thread thread_;
};

class DropFilesTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"ql-drop-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        Pictures.clear();
        ASSERT_TRUE(form_.Load(GetModuleHandleA(nullptr), nullptr));
        form_.Form_Activate();
    }
    void TearDown() override {
        if (form_.hwnd()) form_.Unload();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        Pictures.clear();
        const std::wstring from = folder_ + L'\0';
        SHFILEOPSTRUCTW remove{};
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationW(&remove);
    }

    std::vector<std::string> Rows() const {
        HWND list = form_.Control(MainControl::lPix);
        std::vector<std::string> rows;
        for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[512] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            rows.push_back(text);
        }
        return rows;
    }
    void Drop(const std::vector<std::wstring>& paths) {
        SendMessageW(form_.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }

    std::wstring folder_;
    ConfigMainForm form_;
};

TEST_F(DropFilesTest, FilesAndFoldersJoinTheListByTheRulesOfAdd) {
    const std::wstring pics = folder_ + L"pics\\";
    CreateDirectoryW(pics.c_str(), nullptr);
    const std::string picture = test_pictures::BitmapFile(2, 2, test_pictures::Quadrants(2, 2));
    for (const wchar_t* name : {L"b10.jpg", L"B2.gif", L"a.bmp", L"notes.txt", L"hidden.jpg"}) {
        WriteFileW(pics + name, picture);  // any ending: the decoder goes by the content
    }
    SetFileAttributesW((pics + L"hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryW((pics + L"sub.jpg").c_str(), nullptr);  // a folder inside is not gone into
    WriteFileW(pics + L"sub.jpg\\c.jpg");
    WriteFileW(folder_ + L"x.JPG", picture);
    WriteFileW(folder_ + L"z.png");

    // A picture listed and selected before the drop stays selected.
    Pictures = EmptyPictureList();
    Pictures.push_back({3, "C:\\keep.bmp", 1, false});
    form_.FillPictureList();
    SendMessageA(form_.Control(MainControl::lPix), LB_SETCURSEL, 0, 0);

    ErrorAnswerer answerer;
    Drop({folder_ + L"x.JPG", folder_ + L"pics", folder_ + L"z.png"});
    EXPECT_EQ(answerer.Texts(),
              std::vector<std::wstring>{L"z.png\n\nInvalid Picture!\n\nFile will not be added to the list..."});
    EXPECT_EQ(Rows(), (std::vector<std::string>{"keep.bmp", "x.JPG", "a.bmp", "B2.gif", "b10.jpg"}));
    ASSERT_EQ(PictureCount(Pictures), 5);
    EXPECT_EQ(Pictures[2], (PictureEntry{static_cast<int16_t>(folder_.size()), AnsiText(folder_) + "x.JPG", 0, false}));
    EXPECT_EQ(Pictures[5], (PictureEntry{static_cast<int16_t>(pics.size()), AnsiText(pics) + "b10.jpg", 0, false}));
    EXPECT_EQ(SendMessageA(form_.Control(MainControl::lPix), LB_GETCURSEL, 0, 0), 0);

    // The Delete key on the list does what "Remove" does, and nothing while "Remove" is off.
    HWND list = form_.Control(MainControl::lPix);
    EnableWindow(form_.Control(MainControl::btnRemove), FALSE);
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Rows().size(), 5u);
    EnableWindow(form_.Control(MainControl::btnRemove), TRUE);
    SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"x.JPG", "a.bmp", "B2.gif", "b10.jpg"}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(answerer.Texts().size(), 1u) << "x.JPG, selected next, is shown";
}

// Under a Western code page a Chinese name has no ANSI form: the picture is stored by its short
// name, listed by it, and previews like any other.
TEST_F(DropFilesTest, ANameOutsideTheCodePageIsStoredByItsShortName) {
    const std::wstring picture = folder_ + L"\x7167\x7247.bmp";  // zhaopian
    namespace tp = test_pictures;
    WriteFileW(picture, tp::BitmapFile(40, 30, tp::Quadrants(40, 30)));
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, picture.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (!lossy) GTEST_SKIP() << "the ANSI code page " << GetACP() << " expresses the name";
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW(picture.c_str(), shortPath, MAX_PATH), 0u);

    ErrorAnswerer answerer;
    Drop({picture});
    const std::string stored = AnsiText(shortPath);
    ASSERT_EQ(PictureCount(Pictures), 1);
    EXPECT_EQ(Pictures[1].Path, stored);
    EXPECT_EQ(Rows(), std::vector<std::string>{stored.substr(stored.rfind('\\') + 1)});

    form_.Show();
    SendMessageA(form_.Control(MainControl::lPix), LB_SETCURSEL, 0, 0);
    form_.lPix_Click();
    EXPECT_TRUE(answerer.Texts().empty());
    EXPECT_TRUE(IsWindowEnabled(form_.Control(MainControl::cStretch)));
    EXPECT_EQ(form_.MiniaturePicture().Width(), 40);
    // The window as the user sees it, for a look by eye.
    RedrawWindow(form_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(form_.hwnd(), ProgramFolder() + "western-short-name.bmp");
}

}  // namespace
