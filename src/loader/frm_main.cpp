#include "loader/frm_main.h"

#include "common/file_system.h"
#include "common/message_pump.h"
#include "common/picture_list.h"
#include "common/picture_name.h"
#include "common/settings_file.h"
#include "common/ansi_text.h"
#include "loader/wallpaper_registration.h"
#include "loader/wallpaper_values.h"

namespace loader {

LoaderMainForm frmMain;

namespace {
// A fixed single border.
constexpr FormWindow kWindow{"QuilloriaLoaderMain", "Quilloria", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER,
                             WS_EX_DLGMODALFRAME};
}  // namespace

std::string TempBitmapPath() { return AppFolder() + kTempBitmapName; }

bool LoaderMainForm::Load(HINSTANCE instance, HWND owner) {
    closing_ = false;
    // Centred only when it shows itself.
    return CreateForm(instance, kWindow, owner, *this, controls_, NoticeForm(), FormPosition::AsCreated) != nullptr;
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
    if (PictureKindOfName(path) == PictureNameKind::Bitmap) {
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
    caption += GetFileName(path, AnsiLeadBytes());
    caption += '>';
    SetWindowTextA(Control(NoticeControl::lFile), caption.c_str());
    CentreWindow(hwnd_);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    DoEvents();

    PictureLoadResult loaded = LoadPicture(path);
    pTmp_ = std::move(loaded.picture);
    if (!loaded.error) {
        SavePictureAsBitmap(pTmp_, TempBitmapPath());
        DoEvents();
        pTmp_ = Picture();
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
        case WM_DPICHANGED:
            HandleDpiChanged(hwnd, controls_, wParam, lParam);
            return 0;
        case WM_DESTROY:
            pTmp_ = Picture();
            controls_.Release();
            closing_ = false;
            PostQuitMessage(0);  // the loader ends with its window
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace loader
