// "&Fullscreen": the selected picture over the whole screen in its style, closed by releasing a key
// or a mouse button, with real input; the configuration window is usable again afterwards. The
// expected pixels follow from the screen's size, so the same test runs on a screen wider than
// 16-bit twips reach (fullscreen_large_screen_test.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "config_session.h"
#include "e2e_pictures.h"

namespace {

using namespace e2e;
using loader_e2e::SettingsText;

constexpr char kPreviewTitle[] = "Quilloria - Fullscreen Preview";
constexpr uint32_t kBlack = 0x000000;

// The quadrant colours of a w x h test picture at (x, y) of the picture.
uint32_t QuadrantAt(int w, int h, int x, int y) { return test_pictures::Quadrants(w, h)(x, y); }

struct Point {
    int x, y;
    uint32_t colour;
};

// Real input, as the keyboard and mouse give it: to the active window and the mouse capture.
void Send(std::initializer_list<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), const_cast<INPUT*>(inputs.begin()), sizeof(INPUT));
}
INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}
INPUT MouseButton(bool up) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    return input;
}

uint32_t ScreenPixel(int x, int y) { return CaptureScreen(RECT{x, y, x + 1, y + 1}).At(0, 0); }

class FullscreenPreviewTest : public testing::Test {
protected:
    void SetUp() override {
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
        // A runner that prepared a screen of a given size names it ("3840x2160").
        char expected[32] = {};
        if (GetEnvironmentVariableA("QL_EXPECT_SCREEN", expected, sizeof(expected))) {
            ASSERT_EQ(std::to_string(width_) + "x" + std::to_string(height_), expected);
        }
    }

    // Selects `row` by clicking it and waits until the miniature has taken its picture, which the
    // information's first line ("640x480") tells; the preview shows the miniature's picture.
    void Select(ConfigSession& config, int row, int width, int height) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        ASSERT_TRUE(ClickListRow(config.Control(lPix), row));
        ASSERT_TRUE(WaitUntil([&] {
            wchar_t first[64] = {};
            SendMessageW(config.Control(lInfo), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
            return std::wstring(first) == std::wstring(size.begin(), size.end()) &&
                   IsEnabled(config.Control(btnFullscreen));
        }, 10000)) << "row " << row;
    }

    // Presses "&Fullscreen" and returns the preview once it is shown and active, or 0.
    HWND OpenPreview(const ConfigSession& config) {
        if (!Click(config.Control(btnFullscreen))) return nullptr;
        HWND preview = WaitForWindowTitled(config.program.Id(), kPreviewTitle, 10000);
        if (preview) WaitUntil([&] { return IsVisible(preview) && GetForegroundWindow() == preview; });
        return preview;
    }

    void ExpectPixels(const std::vector<Point>& points) {
        const auto shows = [&](const Point& p) { return NearColour(ScreenPixel(p.x, p.y), p.colour); };
        WaitUntil([&] { return std::all_of(points.begin(), points.end(), shows); }, 10000);
        for (const Point& p : points) {
            EXPECT_TRUE(shows(p)) << "at (" << p.x << ", " << p.y << "): " << std::hex << ScreenPixel(p.x, p.y)
                                  << ", expected " << p.colour;
        }
    }

    int width_ = 0, height_ = 0;
    AutostartGuard autostart_;
    AppFolder folder_;
};

// Each style, on whatever screen the test has: the picture at real size centred or tiled, fitted
// when larger than the screen, or stretched over it. Quadrants: red, green / blue, white.
TEST_F(FullscreenPreviewTest, EachStyleCoversTheScreenAndAReleaseClosesIt) {
    const int W = width_, H = height_;
    struct Case {
        const char* name;
        int width, height, tile;
        bool stretch;
        std::vector<Point> points;
    };
    const int cl = (W - 500) / 2, ct = (H - 300) / 2;  // the 500 x 300 picture, centred
    const int fittedTop = (H - W / 2) / 2;             // 2W x W fitted to W x W/2
    const int tileH = W / 4;                           // 2W x W/2 fitted to W x W/4, copies below
    const auto tiled = [&](int x, int y) { return Point{x, y, QuadrantAt(300, 200, x % 300, y % 200)}; };
    const std::vector<Case> cases = {
        {"centred.bmp", 500, 300, 0, false,
         {{cl + 125, ct + 75, 0xFF0000}, {cl + 375, ct + 75, 0x00FF00}, {cl + 125, ct + 225, 0x0000FF},
          {cl + 375, ct + 225, 0xFFFFFF}, {cl - 4, H / 2, kBlack}, {cl + 504, H / 2, kBlack}, {W / 2, ct - 4, kBlack},
          {W / 2, ct + 304, kBlack}, {2, 2, kBlack}, {W - 2, H - 2, kBlack}}},
        {"tiled.bmp", 300, 200, 1, false,
         {tiled(75, 50), tiled(225, 50), tiled(375, 150), tiled(W / 2 + 3, H / 2 + 7), tiled(W - 3, 50),
          tiled(50, H - 3), tiled(W - 3, H - 3)}},
        {"stretched.bmp", 64, 48, 0, true,
         {{W / 4, H / 4, 0xFF0000}, {3 * W / 4, H / 4, 0x00FF00}, {W / 4, 3 * H / 4, 0x0000FF},
          {3 * W / 4, 3 * H / 4, 0xFFFFFF}, {W - 3, H - 3, 0xFFFFFF}}},
        {"fitted.jpg", 2 * W, W, 0, false,
         {{W / 4, fittedTop + W / 8, 0xFF0000}, {3 * W / 4, fittedTop + W / 8, 0x00FF00},
          {W / 4, fittedTop + 3 * W / 8, 0x0000FF}, {3 * W / 4, fittedTop + 3 * W / 8, 0xFFFFFF},
          {W / 2, std::max(0, fittedTop - 4), fittedTop > 4 ? kBlack : 0xFF0000}}},
        {"wide.jpg", 2 * W, W / 2, 1, true,
         {{W / 4, tileH / 4, 0xFF0000}, {3 * W / 4, tileH / 4, 0x00FF00}, {W / 4, tileH + tileH / 4, 0xFF0000},
          {3 * W / 4, tileH + 3 * tileH / 4, 0xFFFFFF}, {W / 4, 2 * tileH + std::min(tileH / 4, (H - 2 * tileH) / 2), 0xFF0000}}},
    };
    std::vector<loader_e2e::ListEntry> list;
    for (const Case& c : cases) list.push_back(Entry(MakePicture(folder_, c.name, c.width, c.height), c.tile, c.stretch));
    ConfigSession config(folder_, SettingsText(list).c_str());
    ASSERT_TRUE(config.window);

    bool byKey = true;
    for (size_t row = 0; row < cases.size(); ++row, byKey = !byKey) {
        SCOPED_TRACE(cases[row].name);
        Select(config, static_cast<int>(row), cases[row].width, cases[row].height);
        HWND preview = OpenPreview(config);
        ASSERT_TRUE(preview);
        RECT outer{};
        GetWindowRect(preview, &outer);
        const RECT screen{0, 0, W, H};
        EXPECT_TRUE(EqualRect(&outer, &screen));
        EXPECT_EQ(Owner(preview), config.window);
        EXPECT_FALSE(IsEnabled(config.window)) << "modal";
        ExpectPixels(cases[row].points);

        // The Space key or the left mouse button: the press alone leaves it open.
        Send({byKey ? Key(VK_SPACE, false) : MouseButton(false)});
        EXPECT_FALSE(WaitUntil([&] { return !IsWindow(preview) || !IsVisible(preview); }, 1000)) << "closed on a press";
        Send({byKey ? Key(VK_SPACE, true) : MouseButton(true)});
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(preview); })) << (byKey ? "key" : "mouse button");
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(config.window) && GetForegroundWindow() == config.window; }));
    }
    // Usable again: the list still takes clicks, and Cancel ends the program.
    Select(config, 0, cases[0].width, cases[0].height);
    ASSERT_TRUE(Click(config.Control(btnCancel)));
    EXPECT_EQ(config.program.WaitForExit(), 0u);
}

// Alt+F presses the button while F and Alt are still down: their releases belong to that press
// and leave the preview open; the next key released closes it, and opening again draws anew.
TEST_F(FullscreenPreviewTest, TheKeysThatOpenItDoNotCloseIt) {
    const std::string path = MakePicture(folder_, "small.bmp", 40, 30);
    ConfigSession config(folder_, SettingsText({Entry(path, 1, false)}).c_str());
    ASSERT_TRUE(config.window);
    Select(config, 0, 40, 30);
    for (int opening = 0; opening < 2; ++opening) {
        SetForegroundWindow(config.window);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == config.window; }));
        // Typed input goes to whatever has the focus at that moment; on a loaded machine the
        // first Alt+F now and then arrives before the window has it, so it is typed again.
        HWND preview = nullptr;
        for (int attempt = 0; attempt < 3 && !preview; ++attempt) {
            Send({Key(VK_MENU, false), Key('F', false)});
            preview = WaitForWindowTitled(config.program.Id(), kPreviewTitle, 3000);
            if (!preview) Send({Key('F', true), Key(VK_MENU, true)});
        }
        ASSERT_TRUE(preview);
        Send({Key('F', true), Key(VK_MENU, true)});
        const int x = width_ - 1, y = height_ - 1;
        ExpectPixels({{10, 7, 0xFF0000}, {50, 22, 0x0000FF}, {x, y, QuadrantAt(40, 30, x % 40, y % 30)}});
        EXPECT_TRUE(IsWindow(preview) && IsVisible(preview)) << "opening " << opening;
        Send({Key(VK_RETURN, false), Key(VK_RETURN, true)});
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(preview); }));
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(config.window); }));
    }
}

}  // namespace
