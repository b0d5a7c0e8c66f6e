// The configuration window built in this process: its controls as created, the first activation,
// the keys and buttons that must not close it, and the window (with About) placed at other DPIs
// as a DPI change places it: every fixed text fits its control in its font, and the move buttons
// draw their arrows on their faces at the window's size.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "config/about/about_texts.h"
#include "config/about/frm_about.h"
#include "config/config_texts.h"
#include "config/frm_main.h"
#include "autostart_guard.h"

namespace {

using namespace config;

BOOL CALLBACK FindToolTips(HWND window, LPARAM found) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

class ConfigFormTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        Pictures.clear();
        ASSERT_TRUE(form_.Load(GetModuleHandleA(nullptr), nullptr));
    }
    void TearDown() override {
        if (form_.hwnd()) form_.Unload();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {  // the quit request of the unload
        }
        Pictures.clear();
    }

    HWND Get(MainControl control) const { return form_.Control(control); }
    bool Checked(MainControl control) const { return SendMessageA(Get(control), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    LRESULT Rows() const { return SendMessageA(Get(MainControl::lPix), LB_GETCOUNT, 0, 0); }
    std::string Row(int row) const {
        char text[512] = {};
        SendMessageA(Get(MainControl::lPix), LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static void RegisterSomething() {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key);
        RegSetValueExA(key, kAutostartValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 1);
        RegCloseKey(key);
    }

    AutostartGuard autostart_;
    ConfigMainForm form_;
};

TEST_F(ConfigFormTest, ControlsAsCreated) {
    EXPECT_TRUE(form_.FirstActivation);
    for (const FormRow& row : MainForm().rows) {
        SCOPED_TRACE(row.name);
        const MainControl id = static_cast<MainControl>(row.id);
        HWND control = Get(id);
        ASSERT_TRUE(control);
        EXPECT_EQ(GetDlgCtrlID(control), ControlId(id));
        EXPECT_NE(GetDlgCtrlID(control), IDOK);
        EXPECT_NE(GetDlgCtrlID(control), IDCANCEL);
        // Before the first activation only the autostart box would show.
        EXPECT_EQ((GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0, id == MainControl::cAuto);
        const bool disabled = id == MainControl::btnRemove || id == MainControl::btnFullscreen ||
                              id == MainControl::oShow0 || id == MainControl::oShow1 || id == MainControl::cStretch;
        EXPECT_EQ(IsWindowEnabled(control) == FALSE, disabled);
        if (row.caption) {
            char text[256] = {};
            GetWindowTextA(control, text, sizeof(text));
            EXPECT_STREQ(text, row.caption);
        }
    }
    EXPECT_TRUE(Checked(MainControl::cAuto));
    EXPECT_TRUE(Checked(MainControl::oShow0));
    EXPECT_FALSE(Checked(MainControl::oShow1));
    EXPECT_FALSE(Checked(MainControl::cStretch));
    EXPECT_EQ(Rows(), 0);
}

TEST_F(ConfigFormTest, FontsAndToolTips) {
    LOGFONTA font{};
    for (MainControl control : {MainControl::btnOK, MainControl::btnCancel}) {
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Get(control), WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -13);  // 9.75 points at 96 dpi
    }
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Get(MainControl::btnAdd), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, gui.lfFaceName);

    // The tool tips belong to one tooltips control owned by the window.
    HWND tips = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindToolTips, reinterpret_cast<LPARAM>(&tips));
    ASSERT_TRUE(tips);
    int withTips = 0;
    for (const FormRow& row : MainForm().rows) {
        char text[256] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = form_.hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Get(static_cast<MainControl>(row.id)));
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, row.toolTip ? row.toolTip : "") << row.name;
        if (row.toolTip) ++withTips;
    }
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), withTips);
}

TEST_F(ConfigFormTest, ClientAreaAndPlacesAt96Dpi) {
    ASSERT_EQ(form_.Dpi(), 96);
    RECT client{};
    GetClientRect(form_.hwnd(), &client);
    EXPECT_EQ(client.right, 510);
    EXPECT_EQ(client.bottom, 210);
    // A frame's controls sit at their table place inside the frame.
    RECT box{};
    GetWindowRect(Get(MainControl::cStretch), &box);
    MapWindowPoints(nullptr, Get(MainControl::fShowBack), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, 16);
    EXPECT_EQ(box.top, 34);
    EXPECT_EQ(box.right - box.left, 61);
    EXPECT_EQ(box.bottom - box.top, 15);
}

TEST_F(ConfigFormTest, FirstActivationWithoutAListStartsEmptyAndKeepsAutostartChecked) {
    form_.Form_Activate();
    for (const FormRow& row : MainForm().rows) {
        EXPECT_TRUE(GetWindowLongA(Get(static_cast<MainControl>(row.id)), GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_EQ(Pictures, EmptyPictureList());
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Checked(MainControl::cAuto));  // the registry holds no value, but is not read
    EXPECT_FALSE(form_.FirstActivation);
}

TEST_F(ConfigFormTest, FirstActivationFillsTheListOnceAndReadsAutostart) {
    for (bool registered : {false, true}) {
        SCOPED_TRACE(registered);
        if (registered) RegisterSomething();
        Pictures = EmptyPictureList();
        Pictures.push_back({8, "C:\\Pics\\sunset.jpg", 0, false});
        Pictures.push_back({3, "D:\\b.bmp", 1, false});
        Pictures.push_back({8, "C:\\Pics\\a.gif", 0, true});
        form_.FirstActivation = true;
        SendMessageA(Get(MainControl::lPix), LB_RESETCONTENT, 0, 0);
        form_.Form_Activate();
        ASSERT_EQ(Rows(), 3);
        EXPECT_EQ(Row(0), "sunset.jpg");
        EXPECT_EQ(Row(1), "b.bmp");
        EXPECT_EQ(Row(2), "a.gif");
        EXPECT_EQ(SendMessageA(Get(MainControl::lPix), LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(Checked(MainControl::cAuto), registered);

        // Later activations (after the About window closes) fill nothing again.
        Pictures.push_back({3, "C:\\d.bmp", 0, false});
        form_.Form_Activate();
        EXPECT_EQ(Rows(), 3);
    }
}

TEST_F(ConfigFormTest, EnterEscAndOkOnAnEmptyListKeepTheWindowOpen) {
    form_.Form_Activate();
    SendMessageA(form_.hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessageA(form_.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(form_.hwnd()));
    DeleteFileA(SettingsFilePath().c_str());
    SendMessageA(Get(MainControl::btnOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindow(form_.hwnd()));
    EXPECT_EQ(GetFileAttributesA(SettingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES);
    SendMessageA(Get(MainControl::btnCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(form_.hwnd());
}

}  // namespace

namespace {

TEST_F(ConfigFormTest, RemovingARowLeavesTheListAsARefillWould) {
    // Where the removed row was: near the top, in the middle of a scrolled list, the last row.
    for (const int removed : {1, 170, 199}) {
        SCOPED_TRACE(removed);
        Pictures = EmptyPictureList();
        for (int i = 0; i < 200; ++i) Pictures.push_back({3, "C:\\p" + std::to_string(i) + ".bmp", 0, false});
        form_.FillPictureList();
        HWND list = Get(MainControl::lPix);
        SendMessageA(list, LB_SETTOPINDEX, 150, 0);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(removed), 0);
        form_.IgnoreListClick = true;  // no preview of the made-up pictures
        form_.btnRemove_Click();
        form_.IgnoreListClick = false;

        ASSERT_EQ(Rows(), 199);
        ASSERT_EQ(PictureCount(Pictures), 199);
        for (int row = 0; row < 199; ++row) {
            std::string expected = "p";  // appended: g++ 12 warns falsely about "p" + std::string
            expected += std::to_string(row < removed ? row : row + 1);
            expected += ".bmp";
            ASSERT_EQ(Row(row), expected) << row;
        }
        const int next = removed == 199 ? 198 : removed;
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), next);
        const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
        form_.FillPictureList();
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
        EXPECT_EQ(top, SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    }
}

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

TEST_F(ConfigFormTest, EveryFixedTextFitsItsControl) {
    AboutForm about;
    ASSERT_TRUE(about.Load(GetModuleHandleA(nullptr), nullptr));
    // The captions the About window's small buttons change to, then every caption of the tables.
    std::vector<std::pair<HWND, const char*>> texts = {{about.Control(AboutControl::btnBStop), kBallStartCaption},
                                                       {about.Control(AboutControl::btnBHide), kBallShowCaption},
                                                       {about.Control(AboutControl::btnTStop), kTextStartCaption}};
    for (const FormRow& row : MainForm().rows) {
        if (row.caption) texts.emplace_back(form_.Control(static_cast<MainControl>(row.id)), row.caption);
    }
    for (const FormRow& row : AboutTable().rows) {
        if (row.caption) texts.emplace_back(about.Control(static_cast<AboutControl>(row.id)), row.caption);
    }
    for (int dpi : {96, 144, 192}) {
        SCOPED_TRACE(dpi);
        PlaceAt(form_.hwnd(), dpi);
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

TEST_F(ConfigFormTest, MoveButtonsDrawTheirArrowsOnTheFaceAtTheWindowsSize) {
    LONG widthAt96 = 0;
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        PlaceAt(form_.hwnd(), dpi);
        for (MainControl control : {MainControl::btnUp, MainControl::btnDown}) {
            SCOPED_TRACE(static_cast<int>(control));
            HWND button = form_.Control(control);
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
