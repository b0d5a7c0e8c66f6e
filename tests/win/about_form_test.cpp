// The About window built in this process: the fonts of its controls, and the version line read
// from a program's version resource.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "common/version.h"
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

}  // namespace
