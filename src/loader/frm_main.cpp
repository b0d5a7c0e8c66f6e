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

// What Windows shows beside the loader's name while the session end waits for it.
constexpr wchar_t kShutdownReason[] = L"Preparing the next wallpaper";

// Tells Windows, for the life of the holder, why the window keeps the session end waiting.
class ShutdownReason {
public:
    explicit ShutdownReason(HWND window) : window_(window), told_(ShutdownBlockReasonCreate(window, kShutdownReason)) {}
    ~ShutdownReason() {
        if (told_ && IsWindow(window_)) ShutdownBlockReasonDestroy(window_);
    }
    ShutdownReason(const ShutdownReason&) = delete;
    ShutdownReason& operator=(const ShutdownReason&) = delete;

private:
    HWND window_;
    bool told_;
};

// An installer or an update closing running programs through the Restart Manager: the session
// goes on, so it is no logoff.
bool ClosedForAnInstaller(LPARAM endSessionFlags) {
    return (endSessionFlags & ENDSESSION_CLOSEAPP) && !(endSessionFlags & ENDSESSION_LOGOFF);
}
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

    const ShutdownReason reason(hwnd_);
    PictureEntry next;
    {
        // The turn from reading the list to saving it: a list the user confirms meanwhile is saved
        // after this one, never overwritten by a turn of the list read before it. A turn that does
        // not come in time (see WriterTurn) does not stop the session's work.
        const WriterTurn turn(SettingsFilePath(), kSaveWaitMs);
        // The list as the configuration program last saved it, not as it was at logon.
        if (!LoadSettings()) return;
        if (PictureCount(Pictures) < 1) return;  // an empty list has no picture to register
        next = Pictures[1];
        // The list turns before the slow conversion: should Windows end the loader before that is
        // done (a huge photo, a share gone at shutdown), the next session end tries the next picture.
        RotatePictures(Pictures);
        SaveSettings(&turn);  // no one to tell at shutdown; a failed save keeps the old file intact
    }

    const bool UseTempBitmap = PictureKindOfName(next.Path) != PictureNameKind::Bitmap;  // even when the conversion fails
    if (!UseTempBitmap) {
        // Registered before the old temporary bitmap goes, so that an end at any moment leaves a
        // wallpaper file: the bitmap itself, which a share gone at shutdown may bring back at logon.
        SetWinIniWallpaper(next, false);
        SetRegistryWallpaper(next, false);
        DeleteTempBitmap();
        return;
    }
    // The values come last: a conversion that Windows cuts short leaves the previous wallpaper
    // registered, and one that fails names the temporary bitmap only when an earlier one made it.
    if (CreateTempBitmap(next.Path) || PlainFileExists(TempBitmapPath())) {
        SetWinIniWallpaper(next, true);
        SetRegistryWallpaper(next, true);
    }
}

bool LoaderMainForm::CreateTempBitmap(const std::string& path) {
    std::string caption = "<";
    caption += GetFileName(path, AnsiLeadBytes());
    caption += '>';
    SetWindowTextA(Control(NoticeControl::lFile), caption.c_str());
    CentreWindow(hwnd_);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    DoEvents();

    // Loaded and saved in one go: an upright picture is never held whole beside the decoder's copy.
    const BitmapConversion converted = ConvertToBitmap(path, TempBitmapPath());
    bool made = false;
    if (!converted.loadError) {
        made = !converted.saveError;
        DoEvents();
    } else {
        DeleteUnfinishedBitmap();  // what a conversion cut short left; no save reuses it now
    }

    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    DoEvents();
    return made;
}

void LoaderMainForm::DeleteTempBitmap() {
    const std::string path = TempBitmapPath();
    if (PlainFileExists(path)) DeleteFileA(path.c_str());
    DeleteUnfinishedBitmap();
}

void LoaderMainForm::DeleteUnfinishedBitmap() {
    // A conversion that was cut short left its unfinished file, which would stay while the next
    // entries are bitmaps or pictures that fail. Only the loader writes it, one loader at a time.
    const std::string unfinished = TempBitmapPath() + ".new";
    if (PlainFileExists(unfinished)) DeleteFileA(unfinished.c_str());
}

LRESULT LoaderMainForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE;  // agree; the work waits until the session really ends
        case WM_ENDSESSION:
            // Only a session that really ends changes the wallpaper; a cancelled one changes nothing,
            // and a program closed for an installer ends without a change (the Run value starts it
            // again at the next logon). The work is finished before this returns, as Windows ends the process
            // right after.
            if (!wParam) return 0;
            Close(ClosedForAnInstaller(lParam) ? kUnloadByCode : kUnloadAppWindows);
            return 0;
        case WM_CLOSE:
            Close(kUnloadFromControlMenu);
            return 0;
        case WM_DPICHANGED:
            HandleDpiChanged(hwnd, controls_, wParam, lParam);
            return 0;
        case WM_DESTROY:
            controls_.Release();
            closing_ = false;
            PostQuitMessage(0);  // the loader ends with its window
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace loader
