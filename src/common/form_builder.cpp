#include "common/form_builder.h"

#include <commctrl.h>

#include <algorithm>

#include "common/scoped_win.h"

namespace {

// The window class and styles of each kind of control.
struct KindStyle {
    const char* className;
    DWORD style;
};

KindStyle StyleOf(const FormRow& row) {
    switch (row.kind) {
        case ControlKind::Frame:
            return {"BUTTON", BS_GROUPBOX};
        case ControlKind::ListBox:
            return {"LISTBOX", static_cast<DWORD>(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP |
                                                  ((row.state & kKeysToForm) ? LBS_WANTKEYBOARDINPUT : 0))};
        case ControlKind::Button:
            return {"BUTTON", static_cast<DWORD>((row.state & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP};
        case ControlKind::PictureButton:
            return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};  // its form draws the picture
        case ControlKind::CheckBox:
            return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP};
        case ControlKind::OptionButton:
            return {"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP};
        case ControlKind::PictureBox:
            return {"STATIC", static_cast<DWORD>(SS_OWNERDRAW | ((row.state & kClickable) ? SS_NOTIFY : 0))};
        case ControlKind::Label: {
            DWORD style = (row.state & kCentredText) ? SS_CENTER : SS_LEFT;
            if (row.state & kNoPrefix) style |= SS_NOPREFIX;
            if (row.state & kClickable) style |= SS_NOTIFY;
            return {"STATIC", style};
        }
        case ControlKind::Drawn:
            break;
    }
    return {"STATIC", SS_LEFT};
}

// The width in pixels that `text` takes on one line in `font`, as a static control draws it.
int TextWidth(HWND control, HFONT font, const char* text, bool noPrefix) {
    ScopedGetDC dc(control);
    if (!dc) return 0;
    const ScopedSelectObject useFont(dc, font);
    RECT extent{};
    DrawTextA(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
    return extent.right - extent.left;
}

using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
AdjustForDpiFn AdjustForDpi() {
    static const auto function = reinterpret_cast<AdjustForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    return function;
}

}  // namespace

bool FormControls::Create(HWND form, const FormTable& table) {
    Release();
    form_ = form;
    table_ = &table;
    controls_.assign(table.rows.size(), nullptr);
    hasToolTip_.assign(table.rows.size(), false);
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE));

    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, instance,
                                nullptr);
    if (!toolTips_) return false;
    SendMessageA(toolTips_, TTM_SETMAXTIPWIDTH, 0, 400);

    bool previousWasOption = false;
    for (int index : TabOrder(table)) {
        const FormRow& row = table.rows[static_cast<size_t>(index)];
        if (row.kind == ControlKind::Drawn) continue;  // no window; its row keeps a null handle
        const KindStyle kind = StyleOf(row);
        DWORD style = WS_CHILD | kind.style;
        // Each control starts a group of its own, except an option button that follows another.
        const bool option = row.kind == ControlKind::OptionButton;
        if (!option || !previousWasOption) style |= WS_GROUP;
        previousWasOption = option;
        if (!HiddenAtStart(table, index)) style |= WS_VISIBLE;
        if (row.state & kDisabled) style |= WS_DISABLED;
        // A sunken picture box has a thin border, so that its drawing area keeps nearly all its size.
        const DWORD sunken = row.kind == ControlKind::PictureBox ? WS_EX_STATICEDGE : WS_EX_CLIENTEDGE;
        const DWORD exStyle = (row.state & kSunken) ? sunken : 0;
        HWND control = CreateWindowExA(exStyle, kind.className, row.caption ? row.caption : "", style, 0, 0, 0, 0,
                                       form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(table.firstControlId + index)),
                                       instance, nullptr);
        if (!control) return false;
        controls_[static_cast<size_t>(index)] = control;
        if (row.state & kChecked) SendMessageA(control, BM_SETCHECK, BST_CHECKED, 0);
        if (row.toolTip) SetToolTip(index, row.toolTip);
    }
    return true;
}

int FormControls::RowOfId(int id) const {
    if (!table_) return -1;
    const int row = id - table_->firstControlId;
    return row >= 0 && row < static_cast<int>(controls_.size()) ? row : -1;
}

void FormControls::SetToolTip(int row, const char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form_;
    tool.uId = reinterpret_cast<UINT_PTR>((*this)[row]);
    tool.lpszText = const_cast<char*>(text);
    const bool exists = hasToolTip_[static_cast<size_t>(row)];
    SendMessageA(toolTips_, exists ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    hasToolTip_[static_cast<size_t>(row)] = true;
}

HFONT FormControls::FontFor(const FontSpec& wanted) const {
    for (const auto& [known, font] : fonts_) {
        if (known == wanted) return font;
    }
    return nullptr;
}

void FormControls::Place(int dpi) {
    if (!table_) return;  // no controls yet
    dpi_ = dpi;
    SizeWindowForClient(form_, ClientArea(*table_, dpi), dpi);

    // One font per distinct FontSpec of the table, made anew for this DPI.
    std::vector<std::pair<FontSpec, HFONT>> old = std::move(fonts_);
    fonts_.clear();
    fonts_.emplace_back(FontSpec{}, CreatePointFont(FontSpec{}, dpi));
    for (const FormRow& row : table_->rows) {
        if (!FontFor(row.font)) fonts_.emplace_back(row.font, CreatePointFont(row.font, dpi));
    }

    HDWP placement = BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (size_t index = 0; index < controls_.size(); ++index) {
        HWND control = controls_[index];
        if (!control) continue;  // drawn by its container
        const FormRow& row = table_->rows[index];
        const HFONT font = FontFor(row.font);
        PixelBox box = PlaceInForm(*table_, static_cast<int>(index), dpi);
        // A label too narrow for its fixed text in its font grows to the right, as far as the
        // controls beside it allow, so that the text is shown whole.
        if (row.kind == ControlKind::Label && row.caption) {
            const int needed = TextWidth(control, font, row.caption, (row.state & kNoPrefix) != 0);
            if (needed > box.width) box.width = std::min(needed, RoomToTheRight(*table_, static_cast<int>(index), dpi));
        }
        if (placement) {
            placement = DeferWindowPos(placement, control, nullptr, box.left, box.top, box.width, box.height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (placement) EndDeferWindowPos(placement);
    SendMessageA(toolTips_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    for (const auto& entry : old) DeleteObject(entry.second);
    InvalidateRect(form_, nullptr, TRUE);
}

void FormControls::Release() {
    for (const auto& entry : fonts_) DeleteObject(entry.second);
    fonts_.clear();
}

HFONT CreatePointFont(const FontSpec& font, int dpi) {
    LOGFONTA logFont{};
    if (font.face) {
        lstrcpynA(logFont.lfFaceName, font.face, LF_FACESIZE);
        logFont.lfWeight = FW_NORMAL;
        logFont.lfCharSet = DEFAULT_CHARSET;
    } else {
        // The face of the system's dialog font; its own height already follows the system DPI,
        // so only the face is taken and the size made for this window's DPI.
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont), &logFont);
        logFont.lfWidth = 0;
    }
    logFont.lfHeight = -FontPixelHeight(font.centipoints ? font.centipoints : kDefaultFontCentipoints, dpi);
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    return CreateFontIndirectA(&logFont);
}

void SizeWindowForClient(HWND window, const PixelBox& client, int dpi) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    RECT frame{0, 0, client.width, client.height};
    const AdjustForDpiFn adjustForDpi = AdjustForDpi();
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreWindow(HWND window, HWND over) {
    RECT outer{};
    GetWindowRect(window, &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromWindow(over ? over : window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        screen = monitor.rcMonitor;
    }
    RECT centre = screen;
    if (over) GetWindowRect(over, &centre);
    const int left = std::clamp(static_cast<int>(centre.left + (centre.right - centre.left - width) / 2),
                                static_cast<int>(screen.left), std::max<int>(screen.left, screen.right - width));
    const int top = std::clamp(static_cast<int>(centre.top + (centre.bottom - centre.top - height) / 2),
                               static_cast<int>(screen.top), std::max<int>(screen.top, screen.bottom - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateFormWindow(HINSTANCE instance, const FormWindow& window, HWND owner, WNDPROC windowProc, void* form,
                      const RECT& bounds) {
    if (!RegisterFormClass(instance, window.className, windowProc, window.background)) return nullptr;
    return CreateWindowExA(window.exStyle, window.className, window.caption, window.style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, owner, nullptr, instance, form);
}

bool BuildForm(HWND form, HWND owner, FormControls& controls, const FormTable& table, FormPosition position) {
    if (!controls.Create(form, table)) {
        DestroyWindow(form);
        return false;
    }
    controls.Place(WindowDpi(form));
    if (position == FormPosition::Centred) CentreWindow(form);
    if (position == FormPosition::OverOwner) CentreWindow(form, owner);
    return true;
}

bool HandleDpiChanged(HWND form, FormControls& controls, WPARAM wParam, LPARAM lParam) {
    const int dpi = HIWORD(wParam);
    if (dpi == 0) return false;
    if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
        SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Place sizes the window for its client area at the new DPI, keeping its top left corner.
    controls.Place(dpi);
    return true;
}
