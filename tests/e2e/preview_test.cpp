// Selecting a picture shows it: the information lines, the miniature in each style, the style
// controls, and a picture that cannot be shown taken out of the list.
#include <gtest/gtest.h>

#include <algorithm>

#include "config_session.h"
#include "e2e_pictures.h"

namespace {

using namespace e2e;
using loader_e2e::SettingsText;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr uint32_t kBoxBackground = 0x01000000;  // the miniature's empty area: the button face

uint32_t Rgb(uint32_t colour) {
    if (colour != kBoxBackground) return colour;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);  // 0x00BBGGRR
    return uint32_t{GetRValue(face)} << 16 | uint32_t{GetGValue(face)} << 8 | GetBValue(face);
}

std::vector<std::string> InfoLines(const ConfigSession& config) {
    std::vector<std::string> lines;
    HWND info = config.Control(lInfo);
    const LRESULT count = SendMessageW(info, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        SendMessageW(info, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        char narrow[256] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
        lines.push_back(narrow);
    }
    return lines;
}

// The number as the user's locale groups it, as the information shows file sizes.
std::string Grouped(long long value) {
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator));
    std::string digits = std::to_string(value), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

int Selected(const ConfigSession& config) {
    return static_cast<int>(SendMessageA(config.Control(lPix), LB_GETCURSEL, 0, 0));
}

long long FileLength(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class PreviewTest : public testing::Test {
protected:
    // Selects `row` as a user does and waits until the information shows `firstLine`.
    void Select(ConfigSession& config, int row, const std::string& firstLine) {
        ASSERT_TRUE(ClickListRow(config.Control(lPix), row));
        ASSERT_TRUE(WaitUntil([&] {
            const auto lines = InfoLines(config);
            return !lines.empty() && lines[0] == firstLine && IsEnabled(config.Control(btnFullscreen));
        })) << "row " << row;
    }
    ScreenShot Miniature(const ConfigSession& config) { return CaptureScreen(ClientOnScreen(config.Control(pBack))); }

    AutostartGuard autostart_;
    AppFolder folder_;
};

// Each style of a small and a large picture: the information lines and the miniature's pixels at
// 96 dpi (the drawing area is 160 x 120 pixels; a picture has red, green, blue and white quarters).
TEST_F(PreviewTest, EachRowShowsItsInformationAndItsMiniatureInItsStyle) {
    struct Point {
        int x, y;
        uint32_t colour;
    };
    struct Case {
        const char* name;
        int width, height, tile;
        bool stretch;
        std::vector<std::string> info;  // empty: computed from the file below
        std::vector<Point> points;
    };
    const std::vector<Case> cases = {
        // Large, centred: fitted to 160 x 120 at (0, 0).
        {"big.bmp", 640, 480, 0, false, {"640x480", "24 Bits (16,7M)", Grouped(640 * 480 * 3 + 54) + " bytes"},
         {{40, 30, kRed}, {120, 30, kGreen}, {40, 90, kBlue}, {120, 90, kWhite}}},
        // Small, centred: unscaled 100 x 50 at (30, 35).
        {"small.bmp", 100, 50, 0, false, {"100x50", "24 Bits (16,7M)", Grouped(100 * 50 * 3 + 54) + " bytes"},
         {{35, 40, kRed}, {125, 80, kWhite}, {10, 10, kBoxBackground}, {80, 90, kBoxBackground}}},
        // Small, tiled: 40 x 30 copies from (0, 0).
        {"tile.gif", 40, 30, 1, false, {}, {{10, 7, kRed}, {30, 7, kGreen}, {50, 7, kRed}, {10, 37, kRed}, {130, 97, kRed}}},
        // Large, tiled: fitted to 160 x 50, copies below it at 50 and 100.
        {"wide.jpg", 640, 200, 1, false, {}, {{20, 10, kRed}, {140, 40, kWhite}, {20, 60, kRed}, {20, 110, kRed}}},
        // Stretched over the whole area.
        {"photo.jpg", 300, 200, 0, true, {}, {{20, 15, kRed}, {140, 15, kGreen}, {20, 105, kBlue}, {140, 105, kWhite}}},
    };
    std::vector<loader_e2e::ListEntry> list;
    for (const Case& c : cases) list.push_back(Entry(MakePicture(folder_, c.name, c.width, c.height), c.tile, c.stretch));
    ConfigSession config(folder_, SettingsText(list).c_str());
    ASSERT_TRUE(config.window);

    for (size_t row = 0; row < cases.size(); ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        std::vector<std::string> info = c.info;
        if (info.empty()) {
            const bool gif = std::string(c.name).ends_with("gif");
            info = {std::to_string(c.width) + "x" + std::to_string(c.height), gif ? "8 Bits (256)" : "24 Bits (16,7M)",
                    Grouped(FileLength(list[row].path)) + " bytes"};
        }
        Select(config, static_cast<int>(row), info[0]);
        EXPECT_EQ(InfoLines(config), info);
        EXPECT_EQ(config.Checked(oShow1), c.tile == 1);
        EXPECT_EQ(config.Checked(oShow0), c.tile == 0);
        EXPECT_EQ(config.Checked(cStretch), c.stretch);
        EXPECT_EQ(IsEnabled(config.Control(cStretch)), c.tile == 0);
        EXPECT_TRUE(IsEnabled(config.Control(btnRemove)));
        // The miniature paints after the information lines.
        ScreenShot shot;
        WaitUntil([&] {
            shot = Miniature(config);
            return std::all_of(c.points.begin(), c.points.end(),
                               [&](const Point& p) { return NearColour(shot.At(p.x, p.y), Rgb(p.colour)); });
        });
        for (const Point& p : c.points) {
            EXPECT_TRUE(NearColour(shot.At(p.x, p.y), Rgb(p.colour)))
                << "at " << p.x << "," << p.y << ": " << std::hex << shot.At(p.x, p.y);
        }
    }
}

// The style controls change the selected entry; "&OK" saves it.
TEST_F(PreviewTest, AStyleChangeIsSaved) {
    const std::string a = MakePicture(folder_, "a.bmp", 20, 20), b = MakePicture(folder_, "b.gif", 20, 20);
    ConfigSession config(folder_, SettingsText({Entry(a, 0, false), Entry(b, 0, false)}).c_str());
    ASSERT_TRUE(config.window);
    Select(config, 1, "20x20");
    config.SetChecked(cStretch, true);
    ASSERT_TRUE(Click(config.Control(oShow1)));
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(config.Control(cStretch)); }));
    EXPECT_TRUE(config.Checked(cStretch)) << "the tick stays while Tile is chosen";
    Select(config, 0, "20x20");
    ASSERT_TRUE(Click(config.Control(btnOK)));
    ASSERT_TRUE(config.program.WaitForExit(5000).has_value());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText({Entry(a, 0, false), Entry(b, 1, true)}));
}

// A picture that cannot be shown is reported with its row's text and removed; a run of them ends
// with all of them removed and the next good picture shown with its style controls, or with an
// empty list and the controls off.
TEST_F(PreviewTest, PicturesThatCannotBeShownAreReportedAndRemovedOneAfterAnother) {
    const std::string good = MakePicture(folder_, "good.bmp", 20, 20);
    folder_.WriteFile("pics\\broken.gif", "GIF89a this is no picture");
    const auto missing = [&](const char* name) { return Entry(folder_ / (std::string("pics\\") + name), 0, false); };
    const loader_e2e::ListEntry broken = Entry(folder_ / "pics\\broken.gif", 0, false);
    const struct {
        const char* what;
        std::vector<loader_e2e::ListEntry> list;
        int firstClicked;
        std::vector<std::string> rowsLeft;
    } cases[] = {
        {"a good picture follows", {Entry(good, 0, false), missing("gone.jpg"), broken, missing("lost.bmp"), Entry(good, 1, false)},
         1, {"good.bmp", "good.bmp"}},
        {"nothing is left", {missing("gone.jpg"), broken, missing("lost.bmp")}, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ConfigSession config(folder_, SettingsText(c.list).c_str());
        ASSERT_TRUE(config.window);
        ASSERT_TRUE(ClickListRow(config.Control(lPix), c.firstClicked));
        for (const char* name : {"gone.jpg", "broken.gif", "lost.bmp"}) {
            const auto box = WaitForMessageBox(config.program.Id());
            ASSERT_TRUE(box.has_value()) << name;
            EXPECT_EQ(box->title, "Error:");
            EXPECT_EQ(box->text.rfind(std::string(name) + "\n\n", 0), 0u) << box->text;
            EXPECT_TRUE(box->text.ends_with("!\n\nPicture will be removed from list...")) << box->text;
            ASSERT_TRUE(ClickButton(box->window, IDOK));
            WaitUntil([&] { return !IsWindow(box->window); });
        }
        ASSERT_TRUE(WaitUntil([&] { return config.Rows().size() == c.rowsLeft.size(); }));
        EXPECT_EQ(config.Rows(), c.rowsLeft);
        EXPECT_EQ(SendMessageA(config.Control(lPix), LB_GETCURSEL, 0, 0), c.rowsLeft.empty() ? -1 : 1);
        // The rows are final before the outermost selection handler sets the style controls: off
        // with nothing shown, as for any picture shown (a tiled one: Stretch off) otherwise.
        const bool shown = !c.rowsLeft.empty();
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(oShow0)) == shown; }));
        EXPECT_TRUE(config.program.WaitUntilIdle(5000));
        for (MainControl control : {oShow0, oShow1, btnFullscreen}) EXPECT_EQ(IsEnabled(config.Control(control)), shown);
        EXPECT_FALSE(IsEnabled(config.Control(cStretch)));
        EXPECT_EQ(IsEnabled(config.Control(btnRemove)), !c.rowsLeft.empty()) << "Remove only while there are rows";
        if (c.rowsLeft.empty()) {
            const uint32_t face = Rgb(kBoxBackground);
            const auto blank = [&](const ScreenShot& shot) {
                return std::all_of(shot.pixels.begin(), shot.pixels.end(), [&](uint32_t p) { return NearColour(p, face, 8); });
            };
            EXPECT_TRUE(WaitUntil([&] { return blank(Miniature(config)); })) << "the miniature shows nothing";
        }
        EXPECT_FALSE(WaitForMessageBox(config.program.Id(), 1000).has_value());
    }
}

// A move, a removal or another row's selection handled while a failing picture is previewed:
// the message names that picture, only its entry goes, and the row selected meanwhile stays so.
TEST_F(PreviewTest, AClickQueuedBehindAFailingRowNeverHitsAnotherPicture) {
    for (const auto& [press, selectedAfter] : {std::pair{btnUp, 0}, {btnRemove, 1}, {lPix, 0}}) {
        SCOPED_TRACE(static_cast<int>(press));
        AppFolder folder;
        const auto a = Entry(MakePicture(folder, "a.bmp", 20, 20), 0, false);
        const auto b = Entry(MakePicture(folder, "b.bmp", 20, 20), 0, false);
        ConfigSession config(folder, SettingsText({a, Entry(folder / "pics\\gone.jpg", 0, true), b}).c_str());
        Select(config, 2, "20x20");
        ASSERT_TRUE(ClickListRow(config.Control(lPix), 1));  // both posted before either is handled
        ASSERT_TRUE(press == lPix ? ClickListRow(config.Control(lPix), 0) : Click(config.Control(press)));
        const auto box = WaitForError(config.program.Id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text.rfind("gone.jpg\n\n", 0), 0u) << box->text;
        Acknowledge(*box);
        ASSERT_TRUE(WaitUntil([&] { return config.Rows().size() == 2; }));
        EXPECT_FALSE(WaitForMessageBox(config.program.Id(), 300).has_value());
        EXPECT_EQ(config.Rows(), (std::vector<std::string>{"a.bmp", "b.bmp"}));
        EXPECT_EQ(Selected(config), selectedAfter);
        ASSERT_TRUE(Click(config.Control(btnOK)));
        ASSERT_TRUE(config.program.WaitForExit().has_value());
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), SettingsText({a, b}));
    }
}

// A style press handled while a selection is drawn, and a selection while a style press redraws:
// the miniature (a tiled copy at its top left), the options and Stretch end with the entry's style.
TEST_F(PreviewTest, StylePressesAndSelectionsInQuickSuccessionAgree) {
    const auto picture = [&](const char* name, int tile) { return Entry(MakePicture(folder_, name, 40, 30), tile, false); };
    ConfigSession config(folder_, SettingsText({picture("1.gif", 0), picture("2.gif", 0), picture("3.gif", 1)}).c_str());
    Select(config, 0, "40x30");
    for (const auto& [first, row] : {std::pair{lPix, 1}, {oShow0, 2}}) {  // 2.gif made tiled, then centred again
        ASSERT_TRUE(first == lPix ? ClickListRow(config.Control(lPix), row) : Click(config.Control(first)));
        ASSERT_TRUE(first == lPix ? Click(config.Control(oShow1)) : ClickListRow(config.Control(lPix), row));
        ASSERT_TRUE(WaitUntil([&] { return Selected(config) == row && IsEnabled(config.Control(btnFullscreen)); }));
        Sleep(300);  // both clicks have drawn
        EXPECT_TRUE(config.Checked(oShow1) && !IsEnabled(config.Control(cStretch))) << row;
        EXPECT_TRUE(NearColour(Miniature(config).At(10, 7), kRed)) << row;
    }
}

}  // namespace
