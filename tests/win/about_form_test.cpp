// The About window built in this process: the fonts of its controls, and the version line read
// from a program's version resource.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/twips.h"
#include "common/version.h"
#include "common/window_base.h"
#include "config/about/about_texts.h"
#include "config/about/frm_about.h"

namespace {

using namespace config;

std::string BuiltProgram(const char* name) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

class AboutFormTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(form_.Load(GetModuleHandleA(nullptr), nullptr));
    }

    LOGFONTA FontOf(AboutControl control) const {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form_.Control(control), WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font;
    }

    AboutForm form_;
};

TEST_F(AboutFormTest, FontsOfTheTable) {
    const struct { AboutControl control; const char* face; int height; } cases[] = {
        {AboutControl::btnOk, "MS Sans Serif", -13},  // 9.75 points at 96 dpi
        {AboutControl::lMervane, "MS Serif", -11},    // 8.25 points
    };
    for (const auto& c : cases) {
        const LOGFONTA font = FontOf(c.control);
        EXPECT_STREQ(font.lfFaceName, c.face);
        EXPECT_EQ(font.lfHeight, c.height);
    }
}

TEST_F(AboutFormTest, VersionLineFollowsTheProgramsVersionResource) {
    int major = 0, minor = 0, revision = 0;
    ASSERT_TRUE(ReadFileVersion(BuiltProgram("Quilloria.exe"), major, minor, revision));
    EXPECT_EQ(VersionLineText(major, minor, revision), "Version 1.03.21");
    // A program without a version resource, as this test is: the numbers it was built with.
    EXPECT_FALSE(ReadFileVersion(BuiltProgram("quilloria_win_tests.exe"), major, minor, revision));
    EXPECT_EQ(form_.CreditText(1), VersionLineText(QL_VERSION_MAJOR, QL_VERSION_MINOR, QL_VERSION_BUILD));
    EXPECT_EQ(form_.CreditText(0), "Quilloria");
}

// The display box is painted again only where something moved: a step of the ball asks for where
// it was and where it is, a step of the credits for their band and the ball, in one region; a
// painting leaves nothing to paint.
TEST_F(AboutFormTest, StepsInvalidateOnlyWhatMoved) {
    ShowWindow(form_.hwnd(), SW_SHOWNA);
    HWND box = form_.Control(AboutControl::fBack);
    RECT client{};
    GetClientRect(box, &client);
    const auto changed = [&] {
        RECT area{};
        GetUpdateRect(box, &area, FALSE);
        return area;
    };
    const int dpi = WindowDpi(box);
    const int ball = TwipsToPixels(kBallWidth, dpi);

    form_.btnTStop_Click();  // the ball alone: the screen follows it every fourth step
    ValidateRect(box, nullptr);
    for (int tick = 0; tick < 4; ++tick) form_.tMove_Timer();
    RECT area = changed();
    EXPECT_FALSE(IsRectEmpty(&area));
    // Four steps of at most 20 twips from the corner: the old and the new ball overlap.
    EXPECT_LE(area.right - area.left, ball + 6);
    EXPECT_LE(area.bottom - area.top, ball + 6);

    UpdateWindow(box);
    EXPECT_TRUE(IsRectEmpty(&(area = changed()))) << "the painting validates the box";

    // Line 0 comes into the box from below after eight steps; the ball stays where it is shown.
    for (int tick = 0; tick < 10; ++tick) form_.tCredit_Timer();
    ValidateRect(box, nullptr);
    form_.tCredit_Timer();
    area = changed();
    EXPECT_EQ(area.left, TwipsToPixels(90, dpi)) << "the band of the lines, not the ball";
    EXPECT_EQ(area.right, TwipsToPixels(90 + 2865, dpi));
    EXPECT_EQ(area.bottom, client.bottom);
    EXPECT_GT(area.top, client.bottom / 2) << "only the band the lines take";

    ShowWindow(form_.hwnd(), SW_HIDE);
}

}  // namespace
