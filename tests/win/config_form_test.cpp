// The configuration window built in this process: its controls as created, the first activation,
// and the keys and buttons that must not close it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/settings_file.h"
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

}  // namespace
