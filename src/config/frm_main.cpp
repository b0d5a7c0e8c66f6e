#include "config/frm_main.h"

#include <commctrl.h>

#include <vector>

#include "common/window_base.h"
#include "common/error_text.h"
#include "common/settings_file.h"
#include "common/window_search.h"
#include "config/code_main.h"
#include "config/config_texts.h"
#include "config/message_box.h"

namespace config {

ConfigMainForm frmMain;

namespace {

constexpr char kClassName[] = "QuilloriaConfigMain";
// Fixed dialog border, no minimise or maximise button. WS_EX_CONTROLPARENT lets the message loop
// give the window Tab and access-key handling.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

// The outer size of a window whose client area is `client`, at `dpi`.
SIZE OuterSize(const PixelBox& client, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{0, 0, client.width, client.height};
    if (!adjustForDpi || !adjustForDpi(&frame, kStyle, FALSE, kExStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The window class and styles of each kind of control.
struct KindStyle {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

KindStyle StyleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Frame:
            return {"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::ListBox:
            return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::PictureButton:
            return {"BUTTON", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 0};
        case ControlKind::CheckBox:
            return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::OptionButton:
            return {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
        case ControlKind::PictureBox:
            return {"STATIC", SS_LEFT, WS_EX_CLIENTEDGE};
    }
    return {"STATIC", 0, 0};
}

// Loads a 16 x 16 arrow picture with its magenta pixels in the button-face colour.
HBITMAP LoadArrowBitmap(HINSTANCE instance, int id) {
    HBITMAP source = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (!source) return nullptr;
    BITMAP info{};
    GetObjectA(source, sizeof(info), &info);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;  // top-down
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    const bool read = GetDIBits(screen, source, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &header,
                                DIB_RGB_COLORS) != 0;
    DeleteObject(source);
    void* bits = nullptr;
    HBITMAP result = read ? CreateDIBSection(screen, &header, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    ReleaseDC(nullptr, screen);
    if (!result) return nullptr;

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD faceBgr = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (DWORD& pixel : pixels) {
        if ((pixel & 0x00FFFFFF) == 0x00FF00FF) pixel = faceBgr;
    }
    std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
    return result;
}

}  // namespace

bool ConfigMainForm::Load(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    if (!RegisterFormClass(instance, kClassName, FormWindowProc<ConfigMainForm>)) return false;

    hwnd_ = CreateWindowExA(kExStyle, kClassName, kMainCaption, kStyle, 0, 0, 0, 0, owner, nullptr, instance, this);
    if (!hwnd_) return false;
    dpi_ = WindowDpi(hwnd_);

    // Centred on the screen the window will appear on.
    const SIZE outer = OuterSize(MainClientArea(dpi_), dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoA(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    SetWindowPos(hwnd_, nullptr, screen.left + (screen.right - screen.left - outer.cx) / 2,
                 screen.top + (screen.bottom - screen.top - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    if (!CreateControls()) {
        DestroyWindow(hwnd_);
        return false;
    }
    ApplyDpi(dpi_);
    Form_Load();
    return true;
}

bool ConfigMainForm::CreateControls() {
    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                instance_, nullptr);
    if (!toolTips_) return false;
    SendMessageA(toolTips_, TTM_SETMAXTIPWIDTH, 0, 400);

    // Created in tab order: the order of creation is the order in which Tab moves the focus. The
    // controls of a frame are the window's own children, placed relative to the frame.
    bool firstOption = true;
    for (MainControl id : MainTabOrder()) {
        const ControlRow& row = LayoutRow(id);
        const KindStyle kind = StyleOf(row.kind);
        DWORD style = WS_CHILD | kind.style;
        // Each control starts a group of its own, except the option buttons that follow the first.
        if (row.kind != ControlKind::OptionButton || firstOption) style |= WS_GROUP;
        if (row.kind == ControlKind::OptionButton) firstOption = false;
        if (!HiddenAtStart(id)) style |= WS_VISIBLE;
        if (row.state & kDisabled) style |= WS_DISABLED;
        HWND control = CreateWindowExA(kind.exStyle, kind.className, row.caption ? row.caption : "", style, 0, 0, 0,
                                       0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(id))),
                                       instance_, nullptr);
        if (!control) return false;
        controls_[static_cast<size_t>(id)] = control;
        if (row.state & kChecked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        if (row.toolTip) AddToolTip(control, row.toolTip);
    }

    arrowUp_ = LoadArrowBitmap(instance_, kArrowUpBitmap);
    arrowDown_ = LoadArrowBitmap(instance_, kArrowDownBitmap);
    SendMessageA(Control(MainControl::btnUp), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(arrowUp_));
    SendMessageA(Control(MainControl::btnDown), BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(arrowDown_));
    return true;
}

void ConfigMainForm::AddToolTip(HWND control, const char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ConfigMainForm::ApplyDpi(int dpi) {
    dpi_ = dpi;
    // The face of the system's default GUI font at 8.25 points of this window's DPI. The stock
    // font's own height already follows the system DPI, so it is not scaled again.
    LOGFONTA base{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(base), &base);
    base.lfHeight = -FontPixelHeight(kDefaultFontCentipoints, dpi);
    base.lfWidth = 0;
    LOGFONTA large{};
    large.lfHeight = -FontPixelHeight(kLargeFontCentipoints, dpi);
    large.lfWeight = FW_NORMAL;
    large.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(large.lfFaceName, kLargeFontFace, LF_FACESIZE);
    HFONT oldFont = font_;
    HFONT oldLarge = largeFont_;
    font_ = CreateFontIndirectA(&base);
    largeFont_ = CreateFontIndirectA(&large);

    HDWP placement = BeginDeferWindowPos(kMainControlCount);
    for (const ControlRow& row : MainLayout()) {
        HWND control = Control(row.id);
        const PixelBox box = PlaceInForm(row.id, dpi);
        if (placement) {
            placement = DeferWindowPos(placement, control, nullptr, box.left, box.top, box.width, box.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>((row.state & kLargeFont) ? largeFont_ : font_),
                     FALSE);
    }
    if (placement) EndDeferWindowPos(placement);
    SendMessageA(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (oldFont) DeleteObject(oldFont);
    if (oldLarge) DeleteObject(oldLarge);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ConfigMainForm::Show() { ShowWindow(hwnd_, SW_SHOWNORMAL); }

void ConfigMainForm::Unload() {
    if (hwnd_) Form_Unload();
}

void ConfigMainForm::FillPictureList() {
    HWND list = Control(MainControl::lPix);
    // The rows go straight to the list box's own window procedure. The tool tip's subclass in front
    // of it looks up its data for every message, which on Wine is a server call: 1.6 s for 32767
    // rows instead of a few tens of milliseconds.
    const auto listProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        return listProc ? CallWindowProcA(listProc, list, message, wParam, lParam)
                        : SendMessageA(list, message, wParam, lParam);
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
        const std::string name = EntryFileName(Pictures[static_cast<size_t>(slot)]);
        send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    send(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ConfigMainForm::Form_Load() { FirstActivation = true; }

void ConfigMainForm::Form_Activate() {
    if (!FirstActivation) return;
    for (HWND control : controls_) ShowWindow(control, SW_SHOWNA);

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
    if (SendMessageA(Control(MainControl::lPix), LB_GETCOUNT, 0, 0) <= 0) return;

    const bool autostart = SendMessageA(Control(MainControl::cAuto), BM_GETCHECK, 0, 0) == BST_CHECKED;
    LONG autostartError = 0;
    HWND loader = nullptr;
    if (autostart) {
        // An existing value is deleted first; what counts is whether it is written afterwards.
        if (IsAutostartRegistered()) UnregisterAutostart();
        autostartError = RegisterAutostart();
    } else {
        if (IsAutostartRegistered()) autostartError = UnregisterAutostart();
    }
    if (autostartError != ERROR_SUCCESS) {
        ShowErrorMessage(hwnd_, AutostartFailedText(autostart, SystemErrorDescription(static_cast<DWORD>(autostartError))));
    }
    if (!autostart) loader = FindOwnerWindowByTitle(hwnd_, kLoaderTitle);
    if (loader) {
        switch (AskImportantQuestion(hwnd_, LoaderStillActiveText())) {
            case IDYES:
                TerminateWindowProcess(loader);
                break;
            case IDNO:
                break;
            default:
                return;  // Cancel: nothing saved, the window stays open
        }
    }

    const DWORD saveError = SaveSettings();
    if (saveError != 0) {
        ShowErrorMessage(hwnd_, SaveFailedText(SettingsFilePath(), SystemErrorDescription(saveError)));
        return;
    }
    Form_Unload();
}

void ConfigMainForm::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == ControlId(MainControl::btnOK)) btnOk_Click();
    if (id == ControlId(MainControl::btnCancel)) btnCancel_Click();
    // IDOK and IDCANCEL, which Enter and Esc send, press nothing.
}

void ConfigMainForm::ReleaseResources() {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(largeFont_),
                           static_cast<HGDIOBJ>(arrowUp_), static_cast<HGDIOBJ>(arrowDown_)}) {
        if (object) DeleteObject(object);
    }
    font_ = largeFont_ = nullptr;
    arrowUp_ = arrowDown_ = nullptr;
    controls_.fill(nullptr);
    toolTips_ = nullptr;
}

LRESULT ConfigMainForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) Form_Activate();
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORLISTBOX:
            if (reinterpret_cast<HWND>(lParam) == Control(MainControl::lInfo)) {
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            Form_Unload();  // the close box, like btnCancel: nothing saved, nothing asked
            return 0;
        case WM_DESTROY:
            ReleaseResources();
            hwnd_ = nullptr;
            PostQuitMessage(0);  // the program ends with its window
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace config
