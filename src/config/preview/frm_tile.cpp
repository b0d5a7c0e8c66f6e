#include "config/preview/frm_tile.h"

#include <algorithm>

#include "common/form_builder.h"
#include "common/message_pump.h"
#include "common/scoped_win.h"
#include "common/twips.h"
#include "config/preview/preview_plan.h"

namespace config {

namespace {


// The monitor `window` is on, in screen pixels (the primary monitor for none).
RECT MonitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    const HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)
                                    : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (GetMonitorInfoA(monitor, &info)) return info.rcMonitor;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The mouse button (MK_ bit) of a button message.
unsigned ButtonOf(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return MK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return MK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return MK_MBUTTON;
        default: return GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? MK_XBUTTON1 : MK_XBUTTON2;
    }
}

// Paints copies of `picture` at its natural size side by side from (0, 0), `across` by `down`,
// clipped to `width` x `height`. The first copy is painted, then the painted part is copied
// beside itself, doubling each time: a tiny picture on a large screen takes a few dozen copies
// instead of millions. `dc` must be a surface that can be read back.
void PaintCopiesByDoubling(HDC dc, const Picture& picture, const PaintedCopies& copies, int width, int height) {
    const int w = picture.Width(), h = picture.Height();
    const CopyRange range = CopiesMeeting(copies, w, h, 0, 0, width, height);
    if (range.endColumn == 0 || range.endRow == 0) return;
    const int right = range.right, bottom = range.bottom;
    picture.PaintAt(dc, 0, 0);
    for (int filled = w; filled < right; filled *= 2) {
        BitBlt(dc, filled, 0, std::min(filled, right - filled), std::min(h, bottom), dc, 0, 0, SRCCOPY);
    }
    for (int filled = h; filled < bottom; filled *= 2) {
        BitBlt(dc, 0, filled, right, std::min(filled, bottom - filled), dc, 0, 0, SRCCOPY);
    }
}

}  // namespace

void ShowFullscreenPreview(HWND owner, const Picture& picture, const PictureEntry& entry) {
    FullscreenForm form(picture, entry);
    const HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE))
                                     : GetModuleHandleA(nullptr);
    if (!form.Load(instance, owner)) return;
    RunModal(form.hwnd(), owner);
}

FullscreenForm::FullscreenForm(const Picture& picture, const PictureEntry& entry)
    : source_(picture), mode_(DrawModeOf(entry.Tile, entry.Stretch)) {}

FullscreenForm::~FullscreenForm() {  // here, where DrawPlan is complete
    if (hwnd_) DestroyWindow(hwnd_);
}

bool FullscreenForm::Load(HINSTANCE instance, HWND owner) {
    // Created over the whole monitor straight away, so that the window has that monitor's DPI
    // from the start.
    monitor_ = MonitorOf(owner);
    // No border and no title bar. Not a control parent: every key goes to the window itself.
    const FormWindow window{"QuilloriaFullscreen", kFullscreenCaption, WS_POPUP, 0,
                            static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))};
    if (!CreateForm(instance, window, owner, *this, monitor_)) return false;
    Form_Load();
    return true;
}

void FullscreenForm::Form_Load() {
    PaintPending = true;
    iBmp0_ = source_;
}

void FullscreenForm::Form_Paint(HDC dc, const RECT& area) {
    if (PaintPending) DrawFullscreen(mode_);
    if (frame_) {
        ScopedMemoryDC memory(dc);
        if (memory) {
            ScopedSelectObject select(memory, frame_.get());
            BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left,
                   area.top, SRCCOPY);
            return;
        }
    }
    // Without memory for the whole drawing, each paint draws its part of the plan again.
    DoubleBuffer buffer(dc, area.left, area.top, area.right - area.left, area.bottom - area.top);
    DrawArea(buffer.dc(), area);
}

void FullscreenForm::DrawFullscreen(int16_t mode) {
    PaintPending = false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    width_ = client.right;
    height_ = client.bottom;
    // Twips of this window's DPI, in 32-bit numbers: any screen size works.
    const int dpi = WindowDpi(hwnd_);
    scale_ = dpi / 1440.0;
    plan_ = std::make_unique<DrawPlan>(PlanFullscreen(mode, PixelsToTwips(iBmp0_.Width(), dpi),
                                                      PixelsToTwips(iBmp0_.Height(), dpi), PixelsToTwips(width_, dpi),
                                                      PixelsToTwips(height_, dpi)));

    // The drawing is kept, so that a later paint (after another window covered this one) only
    // copies it instead of scaling the picture again.
    frame_.reset();  // before the new one is made: each takes the whole screen's memory
    ScopedGetDC screen(hwnd_);
    frame_.reset(CreateCompatibleBitmap(screen, std::max(1, width_), std::max(1, height_)));
    if (!frame_) return;
    ScopedMemoryDC memory(screen);
    if (!memory) {
        frame_.reset();
        return;
    }
    ScopedSelectObject select(memory, frame_.get());
    DrawFrame(memory);
}

void FullscreenForm::DrawFrame(HDC dc) const {
    const RECT all{0, 0, width_, height_};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!plan_) return;
    DrawElements(dc);
    PaintCopiesByDoubling(dc, iBmp0_, plan_->copies, width_, height_);
}

void FullscreenForm::DrawArea(HDC dc, const RECT& area) const {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!plan_) return;
    DrawElements(dc);
    // Copies are stepped by the picture's own pixel size, so that they join without a seam
    // whatever the twips of a pixel at this DPI; only those that meet `area` are painted.
    const int w = iBmp0_.Width(), h = iBmp0_.Height();
    const CopyRange range = CopiesMeeting(plan_->copies, w, h, area.left, area.top, area.right, area.bottom);
    for (int32_t row = range.firstRow; row < range.endRow; ++row) {
        for (int32_t column = range.firstColumn; column < range.endColumn; ++column) {
            iBmp0_.PaintAt(dc, column * w, row * h);
        }
    }
}

void FullscreenForm::DrawElements(HDC dc) const {
    for (const PlacedPicture& element : plan_->elements) {
        const PixelRect at = ToDevicePixels(element, scale_);
        if (element.stretched) {
            iBmp0_.PaintScaled(dc, at.left, at.top, at.width, at.height);  // with halftoning
        } else {
            iBmp0_.PaintAt(dc, at.left, at.top);  // pixel for pixel
        }
    }
}

void FullscreenForm::Form_KeyUp(int) { Form_Unload(); }

void FullscreenForm::Form_MouseUp(int) { Form_Unload(); }

void FullscreenForm::Form_Unload() {
    if (GetCapture() == hwnd_) ReleaseCapture();
    iBmp0_ = Picture();
    plan_.reset();
    frame_.reset();
    // The modal loop gives the owner back its input, then hides and destroys the window.
    EndModal(hwnd_);
}

LRESULT FullscreenForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                // Keys and buttons are released here, wherever the pointer is.
                SetFocus(hwnd);
                SetCapture(hwnd);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            if (HDC dc = BeginPaint(hwnd, &paint)) {
                Form_Paint(dc, paint.rcPaint);
                EndPaint(hwnd, &paint);
            }
            return 0;
        }
        // A release closes the window only when its press came while the window was open. The
        // key that opened it (Enter on the button, Alt+F) is still down at that moment, and its
        // release must not close the window at once.
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            keysPressed_.set(wParam & 0xFF);
            return 0;  // Alt+F4 and the like: the release closes, not the press
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (keysPressed_.test(wParam & 0xFF)) Form_KeyUp(static_cast<int>(wParam));
            return 0;
        case WM_CHAR:
        case WM_SYSCHAR:
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            buttonsPressed_ |= ButtonOf(message, wParam);
            return message == WM_XBUTTONDOWN;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_XBUTTONUP: {
            const unsigned button = ButtonOf(message, wParam);
            if (buttonsPressed_ & button) Form_MouseUp(static_cast<int>(button));
            return message == WM_XBUTTONUP;
        }
        case WM_CLOSE:
            Form_Unload();
            return 0;
        case WM_DESTROY:
            frame_.reset();
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace config
