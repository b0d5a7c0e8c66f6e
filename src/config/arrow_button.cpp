#include "config/arrow_button.h"

#include <array>

#include "common/scoped_win.h"

namespace {

// Whether the button's face comes from the visual style. The common controls load uxtheme when
// they draw with a style; when it is not loaded, nothing is themed. Taken from the loaded module
// only, so the program never imports uxtheme itself.
bool Themed(HWND button) {
    const HMODULE uxtheme = GetModuleHandleA("uxtheme.dll");
    if (!uxtheme) return false;
    using GetWindowThemeFn = HANDLE(WINAPI*)(HWND);
    const auto getWindowTheme =
        reinterpret_cast<GetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "GetWindowTheme")));
    return getWindowTheme && getWindowTheme(button);
}

}  // namespace

LRESULT DrawArrowButton(const NMCUSTOMDRAW& draw, ArrowDirection direction) {
    // The face is drawn by then; the button's own label and focus rectangle are skipped.
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HWND button = draw.hdr.hwndFrom;
    RECT client{};
    GetClientRect(button, &client);
    const ArrowShape shape = ArrowFor(client.right, client.bottom, direction);

    if (shape.count > 0) {
        // A pressed classic button moves its content a pixel down and to the right.
        const int shift = (draw.uItemState & CDIS_SELECTED) && !Themed(button) ? 1 : 0;
        std::array<POINT, std::tuple_size_v<decltype(ArrowShape::points)>> corners{};
        for (size_t i = 0; i < corners.size(); ++i) corners[i] = {shape.points[i].x + shift, shape.points[i].y + shift};
        const COLORREF colour = GetSysColor((draw.uItemState & CDIS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
        const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
        const ScopedSelectObject usePen(draw.hdc, pen.get());
        const ScopedSelectObject useBrush(draw.hdc, brush.get());
        Polygon(draw.hdc, corners.data(), shape.count);
    }

    const bool focusHidden = (SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    if ((draw.uItemState & CDIS_FOCUS) && !focusHidden) {
        RECT focus = client;
        InflateRect(&focus, -shape.focusInset, -shape.focusInset);
        DrawFocusRect(draw.hdc, &focus);
    }
    return CDRF_SKIPDEFAULT;
}
