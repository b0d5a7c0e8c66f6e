#include "loader/frm_main.h"

#include "common/window_base.h"
#include "common/file_system.h"
#include "common/message_pump.h"
#include "common/picture_list.h"
#include "common/settings_file.h"
#include "common/text_helpers.h"
#include "common/twips.h"
#include "loader/wallpaper_registration.h"
#include "loader/wallpaper_values.h"

LoaderMainForm frmMain;

namespace {
constexpr char kClassName[] = "QuilloriaLoaderMain";
constexpr char kCaption[] = "Quilloria";
constexpr int kClientWidthTwips = 3045;
constexpr int kClientHeightTwips = 1350;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER;  // fixed single border
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// The window's controls in twips, as they are laid out.
enum class Control { lFile, Label1, Label2, pTmp };
struct ControlRow {
    Control control;
    const char* text;
    int left, top, width, height;
};
constexpr ControlRow kControls[] = {
    {Control::lFile, "<Testfile.jpg>", 45, 150, 2955, 255},
    {Control::Label1, "Creating temporary bitmap.", 45, 495, 2955, 315},
    {Control::Label2, "Please wait...", 45, 810, 2955, 315},
    {Control::pTmp, "", 2160, 1770, 270, 255},  // below the client area: never seen
};

constexpr char kFontName[] = "Times New Roman";
constexpr int kFileFontCentipoints = 975;   // 9.75 pt
constexpr int kTextFontCentipoints = 1200;  // 12 pt

HFONT CreateTextFont(int centipoints, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(centipoints, dpi, 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, kFontName, LF_FACESIZE);
    return CreateFontIndirectA(&font);
}
}  // namespace

std::string TempBitmapPath() { return AppFolder() + kTempBitmapName; }

bool LoaderMainForm::Load(HINSTANCE instance, HWND owner) {
    if (!RegisterFormClass(instance, kClassName, FormWindowProc<LoaderMainForm>)) return false;

    closing_ = false;
    hwnd_ = CreateWindowExA(kExStyle, kClassName, kCaption, kStyle, 0, 0, 0, 0, owner, nullptr, instance, this);
    if (!hwnd_) return false;
    if (!CreateControls(instance)) {
        DestroyWindow(hwnd_);
        return false;
    }
    ApplyDpi(WindowDpi(hwnd_));
    return true;
}

bool LoaderMainForm::CreateControls(HINSTANCE instance) {
    for (const ControlRow& row : kControls) {
        const DWORD style = WS_CHILD | WS_VISIBLE | (row.control == Control::pTmp ? 0 : SS_LEFT | SS_NOPREFIX);
        HWND control = CreateWindowExA(0, "STATIC", row.text, style, 0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
        if (!control) return false;
        switch (row.control) {
            case Control::lFile: lFile_ = control; break;
            case Control::Label1: Label1_ = control; break;
            case Control::Label2: Label2_ = control; break;
            case Control::pTmp: pTmp_.hwnd = control; break;
        }
    }
    return true;
}

void LoaderMainForm::ApplyDpi(int dpi) {
    dpi_ = dpi;
    HFONT oldFile = fileFont_, oldText = textFont_;
    fileFont_ = CreateTextFont(kFileFontCentipoints, dpi);
    textFont_ = CreateTextFont(kTextFontCentipoints, dpi);

    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const ControlRow& row : kControls) {
        HWND control = row.control == Control::lFile    ? lFile_
                       : row.control == Control::Label1 ? Label1_
                       : row.control == Control::Label2 ? Label2_
                                                        : pTmp_.hwnd;
        MoveWindow(control, TwipsToPixels(row.left, dpi), TwipsToPixels(row.top, dpi), TwipsToPixels(row.width, dpi),
                   TwipsToPixels(row.height, dpi), FALSE);
        if (row.control == Control::lFile) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fileFont_), FALSE);
        if (row.control == Control::Label1 || row.control == Control::Label2) {
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
        }
    }
    if (oldFile) DeleteObject(oldFile);
    if (oldText) DeleteObject(oldText);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void LoaderMainForm::CentreOnScreen() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor)) screen = monitor.rcMonitor;
    const int width = window.right - window.left, height = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, screen.left + (screen.right - screen.left - width) / 2,
                 screen.top + (screen.bottom - screen.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LoaderMainForm::Unload() { Close(kUnloadByCode); }

void LoaderMainForm::Close(int16_t mode) {
    if (!hwnd_ || closing_) return;
    closing_ = true;
    int16_t cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel) {
        closing_ = false;
        return;
    }
    if (hwnd_) DestroyWindow(hwnd_);
}

void LoaderMainForm::Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) {
    (void)Cancel;  // the loader never refuses to close
    if (UnloadMode != kUnloadAppWindows) return;

    // The list as the configuration program last saved it, not as it was at logon.
    if (!LoadSettings()) return;
    if (PictureCount(Pictures) < 1) return;  // an empty list has no picture to register

    bool UseTempBitmap;
    const std::string path = Pictures[1].Path;
    if (IsBitmapPath(path)) {
        DeleteTempBitmap();  // the desktop shows the bitmap itself
        UseTempBitmap = false;
    } else {
        CreateTempBitmap(path);
        UseTempBitmap = true;  // even when the conversion failed
    }
    SetWinIniWallpaper(UseTempBitmap);
    SetRegistryWallpaper(UseTempBitmap);
    RotatePictures(Pictures);
    SaveSettings();  // no one to tell at shutdown; a failed save keeps the old file intact
}

void LoaderMainForm::CreateTempBitmap(const std::string& path) {
    std::string caption = "<";
    caption += GetFileName(path);
    caption += '>';
    SetWindowTextA(lFile_, caption.c_str());
    CentreOnScreen();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    DoEvents();

    PictureLoadResult loaded = LoadPicture(path);
    pTmp_.picture = std::move(loaded.picture);
    if (!loaded.error) {
        SavePictureAsBitmap(pTmp_.picture, TempBitmapPath());
        DoEvents();
        pTmp_.picture = Picture();
    }

    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    DoEvents();
}

void LoaderMainForm::DeleteTempBitmap() {
    const std::string path = TempBitmapPath();
    if (PlainFileExists(path)) DeleteFileA(path.c_str());
}

LRESULT LoaderMainForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE;  // agree; the work waits until the session really ends
        case WM_ENDSESSION:
            // Only a session that really ends changes the wallpaper; a cancelled one changes nothing.
            // The work is finished before this returns, as Windows ends the process right after.
            if (wParam) Close(kUnloadAppWindows);
            return 0;
        case WM_CLOSE:
            Close(kUnloadFromControlMenu);
            return 0;
        case WM_DPICHANGED: {
            ApplyDpi(HIWORD(wParam));
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            hwnd_ = nullptr;
            lFile_ = Label1_ = Label2_ = nullptr;
            pTmp_ = PictureBox{};
            if (fileFont_) DeleteObject(fileFont_);
            if (textFont_) DeleteObject(textFont_);
            fileFont_ = textFont_ = nullptr;
            closing_ = false;
            PostQuitMessage(0);  // the loader ends with its window
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
