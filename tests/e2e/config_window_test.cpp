// The configuration window as a user first meets it: its layout at 96 dpi, the list and the
// autostart box after start-up, and leaving without saving.
#include <gtest/gtest.h>

#include "config_session.h"

namespace {

using namespace e2e;

// Each control where the window's table puts it, at 96 dpi (15 twips a pixel), relative to the
// client area of the control that contains it.
// Stands for the window as the container of a control.
constexpr MainControl kWindow = static_cast<MainControl>(-1);

struct Expected {
    MainControl id;
    MainControl inside;  // kWindow: the window itself
    int left, top, width, height;
    const char* caption;
    bool enabled;
};
const Expected kControls[] = {
    {fList, kWindow, 4, 0, 229, 171, "&Wallpaper Bitmaps", true},
    {lPix, fList, 6, 16, 153, 147, "", true},
    {btnAdd, fList, 164, 16, 59, 27, "&Add...", true},
    {btnRemove, fList, 164, 47, 59, 27, "&Remove", false},
    {btnClear, fList, 164, 79, 59, 27, "C&lear", true},
    {btnUp, fList, 164, 110, 27, 27, "", true},
    {btnDown, fList, 196, 110, 27, 27, "", true},
    {btnOK, kWindow, 210, 176, 145, 29, "&OK", true},
    {btnCancel, kWindow, 362, 176, 145, 29, "&Cancel", true},
    {cAuto, kWindow, 6, 182, 183, 15, "Autostart Quilloria Loader", true},
    {fPic, kWindow, 238, 0, 269, 171, "Preview", true},
    {pBack, fPic, 6, 14, 163, 123, "", true},
    {btnFullscreen, fPic, 6, 140, 163, 25, "&Fullscreen", false},
    {lInfo, fPic, 174, 16, 89, 43, "", true},
    {fShowBack, fPic, 174, 64, 89, 79, "Style", true},
    {oShow0, fShowBack, 4, 14, 57, 15, "Ce&nter", false},
    {cStretch, fShowBack, 16, 34, 61, 15, "&Stretch", false},
    {oShow1, fShowBack, 4, 56, 67, 15, "&Tile", false},
    {btnAbout, fPic, 216, 148, 47, 17, "Ab&out", true},
};

RECT RectIn(HWND control, HWND container) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(ConfigWindow, LayoutCaptionsAndStatesAt96Dpi) {
    AutostartGuard autostart;
    AppFolder folder;
    ConfigSession config(folder, kThreePictures);
    ASSERT_TRUE(config.window);

    EXPECT_EQ(WindowText(config.window), "Quilloria Configuration");
    EXPECT_EQ(WindowText(Owner(config.window)), "Quilloria");
    EXPECT_FALSE(IsVisible(Owner(config.window)));
    const RECT client = ClientRect(config.window);
    EXPECT_EQ(client.right, 510);
    EXPECT_EQ(client.bottom, 210);
    const LONG style = GetWindowLongA(config.window, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    // Centred on the 1024 x 768 screen.
    RECT outer{};
    GetWindowRect(config.window, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    for (const Expected& c : kControls) {
        SCOPED_TRACE(static_cast<int>(c.id));
        HWND control = config.Control(c.id);
        ASSERT_TRUE(control);
        const RECT r = RectIn(control, c.inside != kWindow ? config.Control(c.inside) : config.window);
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.top, c.top);
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);
        EXPECT_EQ(WindowText(control), c.caption);
        EXPECT_EQ(IsEnabled(control), c.enabled);
        EXPECT_TRUE(IsVisible(control));
    }
    EXPECT_TRUE(config.Checked(oShow0));
    EXPECT_FALSE(config.Checked(oShow1));
    EXPECT_FALSE(config.Checked(cStretch));
    EXPECT_EQ(config.Rows().size(), 3u);
}

// The list and the autostart box after start-up, for each kind of settings file and registry.
TEST(ConfigWindow, StartUpFillsTheListAndTheAutostartBox) {
    struct Case {
        const char* what;
        const char* file;  // nullptr: no settings file
        bool registered;
        std::vector<std::string> rows;
        bool autostartChecked;
    };
    const Case cases[] = {
        {"no file, nothing registered", nullptr, false, {}, true},
        {"no file, registered", nullptr, true, {}, true},
        {"three pictures, not registered", kThreePictures, false, {"sunset.jpg", "b.bmp", "c.gif"}, false},
        {"three pictures, registered", kThreePictures, true, {"sunset.jpg", "b.bmp", "c.gif"}, true},
        {"count 0, not registered", "\"Version 1.1\"\r\n0\r\n", false, {}, false},
        {"count 0, registered", "\"Version 1.1\"\r\n0\r\n", true, {}, true},
    };
    AutostartGuard autostart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.registered) {
            AutostartGuard::Set("anything");
        } else {
            AutostartGuard::Clear();
        }
        AppFolder folder;
        ConfigSession config(folder, c.file);
        ASSERT_TRUE(config.window);
        EXPECT_EQ(config.Rows(), c.rows);
        EXPECT_EQ(SendMessageA(config.Control(lPix), LB_GETCURSEL, 0, 0), LB_ERR) << "nothing selected";
        EXPECT_EQ(config.Checked(cAuto), c.autostartChecked);
        EXPECT_FALSE(IsEnabled(config.Control(btnRemove)));
        if (!c.file) {
            // "&OK" with an empty list does nothing.
            Click(config.Control(btnOK));
            EXPECT_FALSE(config.program.WaitForExit(300).has_value());
            EXPECT_FALSE(folder.Exists("Quilloria.dat"));
            EXPECT_EQ(AutostartGuard::Value().has_value(), c.registered);
        }
    }
}

TEST(ConfigWindow, CancelAndTheCloseBoxLeaveWithoutSaving) {
    AutostartGuard autostart;
    AutostartGuard::Set("C:\\Somewhere\\QLLoader.exe");
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        AppFolder folder;
        ConfigSession config(folder, kThreePictures);
        ASSERT_TRUE(config.window);
        config.SetChecked(cAuto, false);
        if (closeBox) {
            PostMessageA(config.window, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            ASSERT_TRUE(Click(config.Control(btnCancel)));
        }
        EXPECT_EQ(config.program.WaitForExit(), 0u);
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures);
        EXPECT_EQ(AutostartGuard::Value(), "C:\\Somewhere\\QLLoader.exe");
    }
}

}  // namespace
