// The configuration and About windows placed at other DPIs, as a DPI change places them: every
// fixed text fits its control in the font the control has, and the move buttons draw their
// arrows on their faces at the window's size.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <utility>
#include <vector>

#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "config/about/about_texts.h"
#include "config/about/frm_about.h"
#include "config/frm_main.h"

namespace {

using namespace config;

void PlaceAt(HWND form, int dpi) { SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0); }

// The room `text` takes in `control`'s font, with what the control draws beside the text: a
// push button's frame, a check box's or option button's box, a frame's inset.
SIZE Needed(HWND control, const char* text, int dpi) {
    ScopedGetDC dc(control);
    const ScopedSelectObject font(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    char kind[16] = {};
    GetClassNameA(control, kind, sizeof(kind));
    const bool label = lstrcmpiA(kind, "Static") == 0;
    const LONG style = GetWindowLongA(control, GWL_STYLE), type = style & BS_TYPEMASK;
    RECT extent{};
    DrawTextA(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE | (label && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
    int digit = 0;
    GetCharWidth32A(dc, '0', '0', &digit);
    const int box = type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON ? MulDiv(12, dpi, 96) + 1 + digit / 2 : 6;
    const int beside = label ? 0 : type == BS_GROUPBOX ? 2 * digit + 4 : box;
    return {extent.right + beside, extent.bottom + (label ? 0 : 2)};
}

RECT PlaceIn(HWND form, HWND control) {
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&at), 2);
    return at;
}

class WindowsAtDpi : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        Pictures.clear();
        ASSERT_TRUE(main_.Load(GetModuleHandleA(nullptr), nullptr));
    }
    void TearDown() override {
        if (main_.hwnd()) main_.Unload();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {  // the quit request of the unload
        }
    }
    ConfigMainForm main_;
};

TEST_F(WindowsAtDpi, EveryFixedTextFitsItsControl) {
    AboutForm about;
    ASSERT_TRUE(about.Load(GetModuleHandleA(nullptr), nullptr));
    // The captions the About window's small buttons change to, then every caption of the tables.
    std::vector<std::pair<HWND, const char*>> texts = {{about.Control(AboutControl::btnBStop), kBallStartCaption},
                                                       {about.Control(AboutControl::btnBHide), kBallShowCaption},
                                                       {about.Control(AboutControl::btnTStop), kTextStartCaption}};
    for (const FormRow& row : MainForm().rows) {
        if (row.caption) texts.emplace_back(main_.Control(static_cast<MainControl>(row.id)), row.caption);
    }
    for (const FormRow& row : AboutTable().rows) {
        if (row.caption) texts.emplace_back(about.Control(static_cast<AboutControl>(row.id)), row.caption);
    }
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        PlaceAt(main_.hwnd(), dpi);
        PlaceAt(about.hwnd(), dpi);
        for (const auto& [control, text] : texts) {
            RECT client{};
            GetClientRect(control, &client);
            const SIZE needed = Needed(control, text, dpi);
            EXPECT_TRUE(needed.cx <= client.right && needed.cy <= client.bottom)
                << text << " needs " << needed.cx << " x " << needed.cy << ", has " << client.right << " x " << client.bottom;
        }
        // The maker's label grew in its place, clear of btnOk beside it.
        const RECT maker = PlaceIn(about.hwnd(), about.Control(AboutControl::lMervane));
        const PixelBox given = PlaceInForm(AboutTable(), static_cast<int>(AboutControl::lMervane), dpi);
        EXPECT_EQ((std::array{maker.left, maker.top, maker.bottom - maker.top}),
                  (std::array<LONG, 3>{given.left, given.top, given.height}));
        EXPECT_LE(maker.right, PlaceIn(about.hwnd(), about.Control(AboutControl::btnOk)).left);
    }
}

// Where a button painting itself shows `colour` inside its frame (right and bottom inclusive),
// and whether any pixel of the button is tinted magenta.
struct Seen {
    RECT box{LONG_MAX, LONG_MAX, -1, -1};
    bool magenta = false;
};

Seen PaintAndLook(HWND button, COLORREF colour) {
    RECT client{};
    GetClientRect(button, &client);
    MemoryBitmap shot;
    shot.Create(ScopedGetDC(nullptr), client.right, client.bottom);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    Seen seen;
    const int frame = client.right / 6;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF p = GetPixel(shot.dc(), x, y);
            seen.magenta |= GetRValue(p) - GetGValue(p) > 40 && GetBValue(p) - GetGValue(p) > 40;
            if (p != colour || std::min<LONG>({x, y, client.right - 1 - x, client.bottom - 1 - y}) < frame) continue;
            seen.box = {std::min<LONG>(seen.box.left, x), std::min<LONG>(seen.box.top, y),
                        std::max<LONG>(seen.box.right, x), std::max<LONG>(seen.box.bottom, y)};
        }
    }
    return seen;
}

TEST_F(WindowsAtDpi, MoveButtonsDrawTheirArrowsOnTheFaceAtTheWindowsSize) {
    LONG widthAt96 = 0;
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        PlaceAt(main_.hwnd(), dpi);
        for (MainControl control : {MainControl::btnUp, MainControl::btnDown}) {
            SCOPED_TRACE(static_cast<int>(control));
            HWND button = main_.Control(control);
            const Seen arrow = PaintAndLook(button, GetSysColor(COLOR_BTNTEXT));
            ASSERT_GE(arrow.box.right, 0) << "no arrow";
            EXPECT_FALSE(arrow.magenta);
            // Centred, and within a pixel as much larger as the window.
            RECT client{};
            GetClientRect(button, &client);
            EXPECT_NEAR(arrow.box.left + arrow.box.right, client.right - 1, 1);
            EXPECT_NEAR(arrow.box.top + arrow.box.bottom, client.bottom - 1, 1);
            const LONG width = arrow.box.right - arrow.box.left + 1;
            if (dpi == 96) widthAt96 = width;
            EXPECT_GE(width, widthAt96 * dpi / 96 - 1);
        }
    }
}

}  // namespace
