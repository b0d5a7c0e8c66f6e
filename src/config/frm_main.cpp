#include "config/frm_main.h"

#include <commctrl.h>

#include "common/ansi_text.h"
#include "common/error_text.h"
#include "common/message_pump.h"
#include "common/settings_file.h"
#include "common/window_search.h"
#include "config/about/frm_about.h"
#include "config/arrow_button.h"
#include "config/code_main.h"
#include "config/config_texts.h"
#include "config/message_box.h"
#include "config/preview/frm_tile.h"

namespace config {

ConfigMainForm frmMain;

namespace {

// Fixed dialog border, no minimise or maximise button. WS_EX_CONTROLPARENT lets the message loop
// give the window Tab and access-key handling.
constexpr FormWindow kWindow{"QuilloriaConfigMain", kMainCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW};
// The message that carries the data of a drop between processes; the SDK does not name it.
constexpr UINT kCopyGlobalData = 0x0049;

}  // namespace

bool ConfigMainForm::Load(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    // Centred on the screen the window will appear on.
    if (!CreateForm(instance, kWindow, owner, *this, controls_, MainForm(), FormPosition::Centred)) return false;
    DragAcceptFiles(hwnd_, TRUE);
    // A window run as administrator still takes drops from the user's Explorer, whose messages
    // Windows would otherwise keep from a program of a higher integrity level.
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        ChangeWindowMessageFilterEx(hwnd_, message, MSGFLT_ALLOW, nullptr);
    }
    Form_Load();
    return true;
}

void ConfigMainForm::Show() { ShowWindow(hwnd_, SW_SHOWNORMAL); }

void ConfigMainForm::Unload() {
    if (hwnd_) Form_Unload();
}

namespace {

// Sends a message straight to the list box's own window procedure. The tool tip's subclass in
// front of it looks up its data for every message, which on Wine is a server call: 1.6 s for
// 32767 rows instead of a few tens of milliseconds.
LRESULT SendToListBox(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
    return listProc ? CallWindowProcA(listProc, list, message, wParam, lParam)
                    : SendMessageA(list, message, wParam, lParam);
}

}  // namespace

void ConfigMainForm::FillPictureList() {
    HWND list = Control(MainControl::lPix);
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return SendToListBox(list, message, wParam, lParam);
    };
    send(WM_SETREDRAW, FALSE, 0);
    send(LB_RESETCONTENT, 0, 0);
    const int count = PictureCount(Pictures);
    if (count > 0) {
        size_t bytes = 0;
        for (int slot = 1; slot <= count; ++slot) bytes += Pictures[static_cast<size_t>(slot)].Path.size() + 1;
        send(LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(bytes));
    }
    for (int slot = 1; slot <= count; ++slot) {
        const std::string name = EntryFileName(Pictures[static_cast<size_t>(slot)], AnsiLeadBytes());
        send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    send(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ConfigMainForm::RemoveListRow(int row) {
    HWND list = Control(MainControl::lPix);
    // Only when the rows were the list's, one more than it now holds; else the list is filled anew.
    if (SendToListBox(list, LB_GETCOUNT, 0, 0) != PictureCount(Pictures) + 1) {
        FillPictureList();
        return;
    }
    // The other rows stay; the list is shown from its top again, as after a refill, so that the
    // selection that follows scrolls it the same way.
    SendToListBox(list, WM_SETREDRAW, FALSE, 0);
    SendToListBox(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendToListBox(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendToListBox(list, LB_SETTOPINDEX, 0, 0);
    SendToListBox(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ConfigMainForm::Form_Load() { FirstActivation = true; }

void ConfigMainForm::Form_Activate() {
    if (!FirstActivation) return;
    for (int row = 0; row < kMainControlCount; ++row) ShowWindow(controls_[row], SW_SHOWNA);
    focus_ = Control(MainControl::lPix);

    if (Pictures.empty()) {
        // No usable settings file: start with the empty list; cAuto keeps its initial check and
        // the registry is not read.
        Pictures = EmptyPictureList();
        FirstActivation = false;
        return;
    }
    if (PictureCount(Pictures) >= 1) FillPictureList();
    SendMessageA(Control(MainControl::cAuto), BM_SETCHECK, IsAutostartRegistered() ? BST_CHECKED : BST_UNCHECKED, 0);
    FirstActivation = false;
}

void ConfigMainForm::Form_Unload() {
    ShowWindow(hwnd_, SW_HIDE);
    DestroyWindow(hwnd_);  // destroys the controls and any window this one owns
}

void ConfigMainForm::btnCancel_Click() { Form_Unload(); }

void ConfigMainForm::btnOk_Click() {
    // A second click (a double-click) handled while this one searches or asks is the same "&OK":
    // run twice, each would start a loader.
    if (okPressed_ || ListIsEmpty()) return;
    // The loader search and the message boxes below let messages through, a session end among them.
    okPressed_ = true;
    struct OkDone {
        bool& pressed;
        ~OkDone() { pressed = false; }
    } okDone{okPressed_};

    const bool autostart = SendMessageA(Control(MainControl::cAuto), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const DWORD autostartError = SetAutostart(autostart);
    if (autostartError != ERROR_SUCCESS) {
        ShowErrorMessage(hwnd_, AutostartFailedText(autostart, SystemErrorDescription(autostartError)));
    }
    HWND loader = !autostart && hwnd_ ? FindOwnerWindowByTitle(kLoaderTitle) : nullptr;
    // The message box and the search let messages through: the window may have been closed or
    // the list cleared meanwhile.
    OkGoOn next = AfterPause(hwnd_ != nullptr, ListIsEmpty(), loader != nullptr);
    if (next == OkGoOn::AskAboutLoader) {
        const int answer = AskImportantQuestion(hwnd_, LoaderStillActiveText());
        if (answer == IDYES) {
            const DWORD ended = TerminateWindowProcess(loader);
            if (ended != ERROR_SUCCESS) {
                // The loader runs on and would change the wallpaper once more: the user hears so,
                // and nothing is saved until they choose again ("&OK", then No, saves).
                ShowErrorMessage(hwnd_, LoaderNotEndedText(SystemErrorDescription(ended)));
                return;
            }
        } else if (answer != IDNO) {
            return;  // Cancel: nothing saved, the window stays open
        }
        next = AfterPause(hwnd_ != nullptr, ListIsEmpty(), false);
    }
    if (next == OkGoOn::Stop) return;

    const DWORD saveError = SaveSettings();
    if (saveError != 0) {
        ShowErrorMessage(hwnd_, SaveFailedText(SettingsFilePath(), SystemErrorDescription(saveError)));
        return;
    }
    // Without a loader running until the next logon, the first shutdown would change nothing.
    StartLoaderAfterOk(autostart);
    Form_Unload();
}

bool ConfigMainForm::ListIsEmpty() const {
    return !hwnd_ || SendMessageA(Control(MainControl::lPix), LB_GETCOUNT, 0, 0) <= 0;
}

void ConfigMainForm::btnFullscreen_Click() {
    FullscreenPicture = SelectedEntry();
    ShowFullscreenPreview(hwnd_, MiniaturePicture(), FullscreenPicture);
    // The configuration window is drawn again at once.
    DoEvents();
    if (hwnd_) UpdateWindow(hwnd_);
    DoEvents();
}

void ConfigMainForm::btnAbout_Click() {
    SetFocus(Control(MainControl::btnOK));
    ShowAboutWindow(instance_, hwnd_);  // modal: returns once the About window has closed
    DoEvents();
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ConfigMainForm::OnCommand(int id, int code) {
    const int row = controls_.RowOfId(id);
    if (row < 0) return;  // IDOK and IDCANCEL, which Enter and Esc send, press nothing
    const auto control = static_cast<MainControl>(row);
    if (control == MainControl::lPix) {
        if (code == LBN_SELCHANGE) lPix_Click();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (control) {
        case MainControl::btnOK: btnOk_Click(); break;
        case MainControl::btnCancel: btnCancel_Click(); break;
        case MainControl::btnAdd: btnAdd_Click(); break;
        case MainControl::btnRemove: btnRemove_Click(); break;
        case MainControl::btnClear: btnClear_Click(); break;
        case MainControl::btnUp: btnUp_Click(); break;
        case MainControl::btnDown: btnDown_Click(); break;
        case MainControl::oShow0: oShow_Click(0); break;
        case MainControl::oShow1: oShow_Click(1); break;
        case MainControl::cStretch: cStretch_Click(); break;
        case MainControl::btnFullscreen: btnFullscreen_Click(); break;
        case MainControl::btnAbout: btnAbout_Click(); break;
        default: break;
    }
}

void ConfigMainForm::ReleaseResources() {
    controls_.Release();
    scaled_.Clear();
    miniature_ = DrawPlan{};
    drawn_ = pPix0_ = Picture();
}

LRESULT ConfigMainForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) focus_ = focus;
                break;
            }
            // Windows puts the focus on the window itself; it goes back to the control that had it,
            // the picture list at the first activation.
            DefWindowProcA(hwnd, message, wParam, lParam);
            Form_Activate();
            if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_)) SetFocus(focus_);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            // The move buttons draw their arrows on their own faces.
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code != NM_CUSTOMDRAW) break;
            const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
            if (header->hwndFrom == Control(MainControl::btnUp)) return DrawArrowButton(draw, ArrowDirection::Up);
            if (header->hwndFrom == Control(MainControl::btnDown)) return DrawArrowButton(draw, ArrowDirection::Down);
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->hwndItem == Control(MainControl::pBack)) {
                PaintMiniature(*item);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR:
            // The hourglass stays while a selected picture loads, even as the mouse moves over
            // the window and its controls; a message box that disables the window meanwhile gets
            // the arrow.
            if (inListClick_ && IsWindowEnabled(hwnd)) {
                SetCursor(LoadCursorA(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_CTLCOLORLISTBOX:
            if (reinterpret_cast<HWND>(lParam) == Control(MainControl::lInfo)) {
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_DPICHANGED:
            HandleDpiChanged(hwnd, controls_, wParam, lParam);
            return 0;
        case WM_DROPFILES:
            Form_DropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_VKEYTOITEM:
            // The Delete key on the picture list does what "&Remove" does, while it may.
            if (LOWORD(wParam) == VK_DELETE && reinterpret_cast<HWND>(lParam) == Control(MainControl::lPix)) {
                if (IsWindowEnabled(Control(MainControl::btnRemove))) btnRemove_Click();
                return -2;
            }
            return -1;
        case WM_CLOSE:
            Form_Unload();  // the close box, like btnCancel: nothing saved, nothing asked
            return 0;
        case WM_ENDSESSION:
            // Windows ends the program once this returns. An "&OK" that was still asking or
            // searching saves its list first; the autostart value is already written by then.
            // A "C&lear" taken meanwhile leaves nothing to save.
            if (wParam && okPressed_ && !ListIsEmpty()) SaveSettings();
            return 0;
        case WM_DESTROY:
            ReleaseResources();
            PostQuitMessage(0);  // the program ends with its window
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace config
