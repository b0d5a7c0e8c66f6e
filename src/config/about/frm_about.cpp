#include "config/about/frm_about.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "common/file_system.h"
#include "common/message_pump.h"
#include "common/resource.h"
#include "common/scoped_win.h"
#include "common/twips.h"
#include "config/about/about_texts.h"

namespace config {

namespace {

using enum AboutControl;

// Fixed dialog frame without minimise and maximise buttons. The window's background is not
// painted under its controls, so the display box does not flicker. WS_EX_CONTROLPARENT lets the
// message loop give the window Tab, access keys, Enter and Esc.
constexpr FormWindow kWindow{"QuilloriaAbout", kAboutCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                             WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};

// The two timers: the ball's step (tMove) and the credits' step (tCredit).
constexpr UINT_PTR kMoveTimer = 1;
constexpr UINT_PTR kCreditTimer = 2;
constexpr UINT kMoveInterval = 10;    // ms
constexpr UINT kCreditInterval = 50;  // ms

// The ball moves every tick, but the screen follows it less often: painting is what costs (each
// painting takes a few round trips to the window system), and every fourth tick, 25 frames a
// second, looks as smooth. While the credits move, the ball is shown with them, 20 times a
// second, in the same painting.
constexpr int kTicksPerFrame = 4;

// The subclass that hands the icon's mouse presses to the window.
constexpr UINT_PTR kPressSubclass = 1;

// The display box is black with white lines, like the closing credits of a film.
constexpr COLORREF kLineColour = RGB(255, 255, 255);

// The modifier mask of a mouse message: Shift and Ctrl as the message gives them, Alt as the
// keyboard holds it.
int ShiftOf(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT) shift |= kShiftKey;
    if (keys & MK_CONTROL) shift |= kCtrlKey;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltKey;
    return shift;
}

// The button a mouse message presses (0: not a press); `second` tells the second press of a
// double click.
int ButtonOf(UINT message, bool& second) {
    second = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return kLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return kRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return kMiddleButton;
    }
    return 0;
}

bool Overlaps(const RECT& a, const RECT& b) {
    RECT common{};
    return IntersectRect(&common, &a, &b) != FALSE;
}

RECT Union(const RECT& a, const RECT& b) {
    RECT both{};
    UnionRect(&both, &a, &b);
    return both;
}

}  // namespace

// Each invalidation is a round trip to the window system; a step that changes the credits and the
// ball asks for all of them in one region.
class AboutForm::BoxDamage {
public:
    void Add(const RECT& area) {
        if (count_ < areas_.size() && !IsRectEmpty(&area)) areas_[count_++] = area;
    }
    void InvalidateIn(HWND box) const {
        if (count_ == 0) return;
        if (count_ == 1) {
            InvalidateRect(box, &areas_[0], FALSE);
            return;
        }
        const ScopedGdiObject<HRGN> region(CreateRectRgnIndirect(&areas_[0]));
        const ScopedGdiObject<HRGN> more(CreateRectRgn(0, 0, 0, 0));
        bool combined = region && more;
        for (size_t i = 1; i < count_ && combined; ++i) {
            SetRectRgn(more, areas_[i].left, areas_[i].top, areas_[i].right, areas_[i].bottom);
            combined = CombineRgn(region, region, more, RGN_OR) != ERROR;
        }
        if (combined) {
            InvalidateRgn(box, region, FALSE);
        } else {
            for (size_t i = 0; i < count_; ++i) InvalidateRect(box, &areas_[i], FALSE);
        }
    }

private:
    std::array<RECT, 3> areas_{};  // the credits, where the ball was and where it is
    size_t count_ = 0;
};

bool ReadFileVersion(const std::string& path, int& major, int& minor, int& revision) {
    // The version resource is read from the file mapped as data: version.dll, which would do it,
    // is one of the DLLs Windows looks for in the program's folder first, where anyone may put one.
    HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!file) return false;
    bool found = false;
    if (HRSRC resource = FindResourceA(file, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION)) {
        const HGLOBAL loaded = LoadResource(file, resource);
        const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
        const DWORD size = SizeofResource(file, resource);
        // The block starts with its length, the value's length and type (three WORDs) and the key
        // L"VS_VERSION_INFO"; the fixed part follows on the next 32-bit boundary.
        constexpr size_t kFixedOffset = (3 * sizeof(WORD) + sizeof(L"VS_VERSION_INFO") + 3) & ~size_t{3};
        VS_FIXEDFILEINFO info{};
        if (data && size >= kFixedOffset + sizeof(info)) {
            std::memcpy(&info, data + kFixedOffset, sizeof(info));
            found = info.dwSignature == VS_FFI_SIGNATURE;
        }
        if (found) {
            major = HIWORD(info.dwFileVersionMS);
            minor = LOWORD(info.dwFileVersionMS);
            revision = HIWORD(info.dwFileVersionLS);
        }
    }
    FreeLibrary(file);
    return found;
}

AboutForm::~AboutForm() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool AboutForm::Load(HINSTANCE instance, HWND owner) {
    instance_ = instance;
    if (!CreateForm(instance, kWindow, owner, *this, controls_, AboutTable(), FormPosition::OverOwner)) return false;
    SetWindowSubclass(Control(iQL), ControlPressProc, kPressSubclass, reinterpret_cast<DWORD_PTR>(this));
    // The display box is painted 20 to 25 times a second. Its own procedure in front of the static
    // control's paints it straight away: the static control would select its font into the DC,
    // ask for its colours and send WM_DRAWITEM, and a comctl32 subclass looks up a window
    // property at every message, each a round trip to the window system under Wine.
    HWND box = Control(fBack);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    boxStaticProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboutForm::BoxProc)));
    LoadProgramIcon();
    Form_Load();
    return true;
}

void AboutForm::Form_Load() {
    random_ = ClockRandomSource();  // seeded anew at every opening
    ball_ = BallState{};            // at 0, 0 with BallDX = BallDY = 10
    credits_ = CreditsStart();      // line 0 just below the box, the others where the table has them
    ballShown_ = BallRect();
    for (int line = 0; line < kCreditLines; ++line) creditTexts_[line] = CreditLineText(static_cast<int16_t>(line));
    int major = 0, minor = 0, revision = 0;
    if (ReadFileVersion(ProgramPath(), major, minor, revision)) {
        creditTexts_[1] = VersionLineText(major, minor, revision);
    }
    // The lines are drawn, not windows of their own; the box's text carries them for screen
    // readers, one line each.
    std::string credits;
    for (const std::string& line : creditTexts_) credits += line + "\n";
    SetWindowTextA(Control(fBack), credits.c_str());
    PrepareBoxDrawing();
    RunTimer(kCreditTimer, true);
    RunTimer(kMoveTimer, true);
}

void AboutForm::Form_Unload() {
    RunTimer(kMoveTimer, false);
    RunTimer(kCreditTimer, false);
    // RunModal enables the owner again, then hides and destroys the window, so that the
    // activation goes back to the owner.
    EndModal(hwnd_);
}

void AboutForm::btnOk_Click() { Form_Unload(); }

void AboutForm::btnBStop_Click() {
    SetFocus(Control(btnOk));
    const bool start = !ballMoving_;
    SetWindowTextA(Control(btnBStop), start ? kBallStopCaption : kBallStartCaption);
    RunTimer(kMoveTimer, start);
    ShowBall();  // a stopped ball shows where it is
    EnableWindow(Control(btnBHide), start ? FALSE : TRUE);
}

void AboutForm::btnBHide_Click() {
    SetFocus(Control(btnOk));
    const bool hide = ballVisible_;  // btnBStop is enabled exactly while the ball is shown
    SetWindowTextA(Control(btnBHide), hide ? kBallShowCaption : kBallHideCaption);
    ShowBall();  // the screen is where the ball is before it goes or comes back
    ballVisible_ = !hide;
    EnableWindow(Control(btnBStop), hide ? FALSE : TRUE);
    InvalidateBox(ballShown_);
}

void AboutForm::btnTStop_Click() {
    SetFocus(Control(btnOk));
    const bool start = !creditsMoving_;
    SetWindowTextA(Control(btnTStop), start ? kTextStopCaption : kTextStartCaption);
    RunTimer(kCreditTimer, start);
}

void AboutForm::btnTReset_Click() {
    SetFocus(Control(btnOk));
    const RECT before = CreditsBand();
    CreditsReset(credits_);
    InvalidateBox(Union(before, CreditsBand()));
}

void AboutForm::tMove_Timer() {
    BallTick(ball_, random_);
    if (!creditsMoving_ && ++ticksSinceBallShown_ >= kTicksPerFrame) ShowBall();
}

void AboutForm::ShowBall() {
    BoxDamage damage;
    ShowBall(damage);
    damage.InvalidateIn(Control(fBack));
}

void AboutForm::ShowBall(BoxDamage& damage) {
    ticksSinceBallShown_ = 0;
    const RECT now = BallRect();
    if (EqualRect(&now, &ballShown_)) return;  // a step smaller than a pixel shows nothing new
    if (ballVisible_) {
        damage.Add(ballShown_);
        damage.Add(now);
    }
    ballShown_ = now;
}

void AboutForm::tCredit_Timer() {
    const RECT before = CreditsBand();
    CreditsTick(credits_);
    BoxDamage damage;
    damage.Add(Union(before, CreditsBand()));
    ShowBall(damage);  // in the same painting
    damage.InvalidateIn(Control(fBack));
}

void AboutForm::lCredits_Click(int16_t Index) {
    const std::string target = CreditLinkTarget(Index);
    if (target.empty()) return;
    // Whatever becomes of it (no program for the address, a refused start) is passed over.
    ShellExecuteA(hwnd_, "Open", target.c_str(), "", "", SW_SHOWNORMAL);
}

void AboutForm::lMervane_Click() { FlipArmed = true; }

void AboutForm::Form_MouseDown(int Button, int Shift) {
    if (BackgroundPressReveals(Button, Shift, FlipArmed)) ShowWindow(Control(pToolFlip), SW_SHOWNA);
}

void AboutForm::pToolFlip_Click() {
    char caption[256] = {};
    GetWindowTextA(hwnd_, caption, sizeof(caption));
    SetWindowTextA(hwnd_, PickExclamation(random_, caption).c_str());
}

void AboutForm::iQL_MouseDown(int Button, int Shift) {
    switch (DecideIconPress(Button, Shift)) {
        case IconPress::RandomColour:
            ballColour_ = RandomBallColour(random_);
            InvalidateBox(ballShown_);
            break;
        case IconPress::NextDrawMode:
            drawMode_ = NextBallDrawMode(NextDrawMode, drawMode_);
            InvalidateBox(ballShown_);
            break;
        case IconPress::ShowHint:
            controls_.SetToolTip(static_cast<int>(iQL), kIconHint);
            break;
        case IconPress::None:
            break;
    }
}

void AboutForm::RunTimer(UINT_PTR id, bool run) {
    if (run) {
        SetTimer(hwnd_, id, id == kMoveTimer ? kMoveInterval : kCreditInterval, nullptr);
    } else {
        KillTimer(hwnd_, id);
    }
    (id == kMoveTimer ? ballMoving_ : creditsMoving_) = run;
}

void AboutForm::OnCommand(int id, int code) {
    if (id == IDOK || id == IDCANCEL) {  // Enter and Esc
        btnOk_Click();
        return;
    }
    const int row = controls_.RowOfId(id);
    if (row < 0) return;
    // A click that a disabled or hidden control could not have taken.
    HWND control = controls_[row];
    if (!control || !IsWindowEnabled(control) || !IsWindowVisible(control)) return;
    switch (static_cast<AboutControl>(row)) {
        case btnOk:
            btnOk_Click();
            break;
        case btnBStop:
            btnBStop_Click();
            break;
        case btnBHide:
            btnBHide_Click();
            break;
        case btnTStop:
            btnTStop_Click();
            break;
        case btnTReset:
            btnTReset_Click();
            break;
        case lMervane:
            if (code == STN_CLICKED) lMervane_Click();
            break;
        case pToolFlip:
            // Every click changes the caption, the second of a double click too.
            if (code == STN_CLICKED || code == STN_DBLCLK) pToolFlip_Click();
            break;
        default:
            break;  // the display box and the icon report their presses through ControlPressProc
    }
}

LRESULT CALLBACK AboutForm::BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<AboutForm*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (!self) return DefWindowProcA(box, message, wParam, lParam);  // not reached: attached at Load
    const WNDPROC staticProc = self->boxStaticProc_;
    bool second = false;
    if (message == WM_PAINT && wParam == 0) {
        PAINTSTRUCT paint{};
        if (HDC dc = BeginPaint(box, &paint)) {
            RECT client{};
            GetClientRect(box, &client);
            self->PaintBox(dc, client);
        }
        EndPaint(box, &paint);
        return 0;
    }
    if (const int button = ButtonOf(message, second)) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        self->OnControlPress(box, button, ShiftOf(wParam), at, second);
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProc));
        SetWindowLongPtrA(box, GWLP_USERDATA, 0);
        self->boxStaticProc_ = nullptr;
    }
    // Everything else, a press too (SS_NOTIFY), as the static control does it; it paints the box
    // through WM_DRAWITEM when asked to print it.
    return CallWindowProcA(staticProc, box, message, wParam, lParam);
}

LRESULT CALLBACK AboutForm::ControlPressProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self) {
    bool second = false;
    if (const int button = ButtonOf(message, second)) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        reinterpret_cast<AboutForm*>(self)->OnControlPress(control, button, ShiftOf(wParam), at, second);
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, ControlPressProc, id);
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void AboutForm::OnControlPress(HWND control, int button, int shift, POINT at, bool secondOfDouble) {
    if (control == Control(iQL)) {
        iQL_MouseDown(button, shift);  // every press counts, both of a double click
        return;
    }
    // A left click on a credit line; a double click opens its address once.
    if (control != Control(fBack) || button != kLeftButton || secondOfDouble) return;
    for (int line = kCreditLines - 1; line >= 0; --line) {  // a later line lies over an earlier one
        const RECT area = CreditLineRect(line);
        if (PtInRect(&area, at)) {
            lCredits_Click(static_cast<int16_t>(line));
            return;
        }
    }
}

void AboutForm::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
        return;
    }
    const bool canReturn = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_);
    SetFocus(canReturn ? lastFocus_ : Control(btnOk));
}

int AboutForm::Px(int twips) const { return TwipsToPixels(twips, controls_.Dpi()); }

RECT AboutForm::BallRect() const {
    const FormRow& shape = AboutRow(sLight);
    const int left = static_cast<int>(std::lround(ball_.left));
    const int top = static_cast<int>(std::lround(ball_.top));
    return {Px(left), Px(top), Px(left + shape.width), Px(top + shape.height)};
}

RECT AboutForm::CreditLineRect(int index) const {
    const FormRow& line = AboutRow(CreditLine(index));
    const int top = credits_.tops[static_cast<size_t>(index)];
    return {Px(line.left), Px(top), Px(line.left + line.width), Px(top + line.height)};
}

RECT AboutForm::CreditsBand() const {
    RECT band = CreditLineRect(0);
    for (int line = 1; line < kCreditLines; ++line) band = Union(band, CreditLineRect(line));
    return band;
}

void AboutForm::InvalidateBox(const RECT& area) const { InvalidateRect(Control(fBack), &area, FALSE); }

void AboutForm::PaintBox(HDC target, const RECT& client) const {
    // Only what was invalidated is drawn again, in the buffer, and copied to the screen.
    RECT area = client;
    RECT clip{};
    const int clipType = GetClipBox(target, &clip);
    if (clipType == NULLREGION) return;
    if (clipType != ERROR && !IntersectRect(&area, &client, &clip)) return;
    HDC dc = boxBuffer_.dc() ? boxBuffer_.dc() : target;
    DrawBox(dc, area);
    if (dc != target) {
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc, area.left, area.top,
               SRCCOPY);
    }
}

void AboutForm::DrawBox(HDC dc, const RECT& area) const {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // The lines, each clipped to its own label and all of them to the box. Their rendered text is
    // white on black, so OR-ing it onto the black box leaves exactly the text, edges included.
    for (int line = 0; line < kCreditLines && lineStrip_.dc(); ++line) {
        const RECT text = CreditLineRect(line);
        if (!Overlaps(text, area)) continue;
        BitBlt(dc, text.left, text.top, text.right - text.left, std::min<int>(text.bottom - text.top, lineStripPitch_),
               lineStrip_.dc(), 0, line * lineStripPitch_, SRCPAINT);
    }

    // The ball over them, mixed with what lies under it by its raster operation.
    const RECT& ball = ballShown_;
    if (!ballVisible_ || !Overlaps(ball, area)) return;
    const ScopedGdiObject<HRGN> oldClip(CreateRectRgn(0, 0, 0, 0));
    if (!oldClip) return;  // the caller's clip could not be kept: the ball waits for a painting
    // The DC's own brush takes the colour: no brush to make and delete at every painting.
    const ScopedSelectObject brush(dc, GetStockObject(DC_BRUSH));
    const ScopedSelectObject pen(dc, GetStockObject(NULL_PEN));
    const COLORREF oldColour = SetDCBrushColor(dc, RGB(ballColour_.red, ballColour_.green, ballColour_.blue));
    const int oldMode = SetROP2(dc, drawMode_);
    // The ball's rectangle is what gets invalidated when it moves, so nothing of it may fall
    // outside: without a pen an ellipse leaves out its right and bottom edge on Windows but not
    // everywhere, so it is drawn one pixel larger and clipped to the rectangle. The clip goes
    // with a region of the DC's own, put back afterwards (SaveDC and RestoreDC would select the
    // DC's font anew, which costs under Wine).
    const bool hadClip = GetClipRgn(dc, oldClip) == 1;
    IntersectClipRect(dc, ball.left, ball.top, ball.right, ball.bottom);
    Ellipse(dc, ball.left, ball.top, ball.right + 1, ball.bottom + 1);
    SelectClipRgn(dc, hadClip ? oldClip.get() : nullptr);
    SetROP2(dc, oldMode);
    SetDCBrushColor(dc, oldColour);
}

void AboutForm::PaintIcon(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (icon_) {
        DrawIconEx(dc, client.left, client.top, icon_, client.right - client.left, client.bottom - client.top, 0,
                   nullptr, DI_NORMAL);
    }
}

void AboutForm::PrepareBoxDrawing() {
    HWND box = Control(fBack);
    const ScopedGetDC screen(box);
    RECT client{};
    GetClientRect(box, &client);
    boxBuffer_.Create(screen, client.right, client.bottom);

    const FormRow& layout = AboutRow(lCredits0);
    const int width = Px(layout.width);
    // The tallest a line's label gets at this DPI, whatever its top.
    lineStripPitch_ = Px(layout.height) + 1;
    if (!lineStrip_.Create(screen, width, lineStripPitch_ * kCreditLines)) return;
    HDC strip = lineStrip_.dc();
    const RECT all{0, 0, width, lineStripPitch_ * kCreditLines};
    FillRect(strip, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(strip, TRANSPARENT);
    SetTextColor(strip, kLineColour);
    for (int line = 0; line < kCreditLines; ++line) {
        const std::string& words = creditTexts_[static_cast<size_t>(line)];
        RECT text{0, line * lineStripPitch_, width, line * lineStripPitch_ + Px(layout.height)};
        const ScopedSelectObject font(strip, controls_.Font(static_cast<int>(CreditLine(line))));
        DrawTextA(strip, words.c_str(), -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void AboutForm::LoadProgramIcon() {
    // The program icon's picture nearest to the control's size, stretched to it.
    const PixelBox box = PlaceInContainer(AboutTable(), static_cast<int>(iQL), controls_.Dpi());
    icon_.reset(static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(QL_PROGRAM_ICON), IMAGE_ICON, box.width, box.height, 0)));
}

LRESULT AboutForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kMoveTimer) tMove_Timer();
            if (wParam == kCreditTimer) tCredit_Timer();
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const int row = controls_.RowOfId(static_cast<int>(item->CtlID));
            if (row == static_cast<int>(fBack)) PaintBox(item->hDC, item->rcItem);
            if (row == static_cast<int>(pToolFlip)) FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_INFOBK));
            if (row == static_cast<int>(iQL)) PaintIcon(item->hDC, item->rcItem);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // Presses that reach the window itself: on its background, or on a control that lets
            // them through (a disabled button). Only the background counts.
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (ChildWindowFromPointEx(hwnd, at, CWP_SKIPINVISIBLE) == hwnd) {
                bool second = false;
                Form_MouseDown(ButtonOf(message, second), ShiftOf(wParam));
            }
            return 0;
        }
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED: {
            if (!HandleDpiChanged(hwnd, controls_, wParam, lParam)) return 0;
            LoadProgramIcon();
            PrepareBoxDrawing();
            ballShown_ = BallRect();
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        }
        case WM_CLOSE:
            Form_Unload();  // the close box closes like btnOk
            return 0;
        case WM_DESTROY:
            KillTimer(hwnd, kMoveTimer);
            KillTimer(hwnd, kCreditTimer);
            lineStrip_.Reset();
            boxBuffer_.Reset();
            controls_.Release();
            icon_.reset();
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void ShowAboutWindow(HINSTANCE instance, HWND owner) {
    AboutForm form;  // a new window in its initial state at every opening
    if (form.Load(instance, owner)) RunModal(form.hwnd(), owner);
}

}  // namespace config
