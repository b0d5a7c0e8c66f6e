// The fullscreen preview opened in this process on the 1024 x 768 test screen: the window, its
// pixels in each style, a repaint after its pixels were lost, and the releases that close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "config/preview/frm_tile.h"
#include "test_pictures.h"

namespace {

using namespace config;
using namespace test_pictures;

constexpr uint32_t kBlack = 0x000000;

// A picture in red, green / blue, white quadrants, made in memory as the decoder makes one.
Picture QuadrantPicture(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const PixelFunction pixel = Quadrants(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) static_cast<uint32_t*>(bits)[y * width + x] = pixel(x, y);
    }
    return Picture(std::make_shared<DecodedImage>(bitmap, bits, width, height));
}

struct Point {
    int x, y;
    uint32_t rgb;
};

void ExpectPixels(HWND window, const std::vector<Point>& points) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    for (const Point& p : points) {
        const COLORREF c = GetPixel(dc, p.x, p.y);
        const int got[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
        const int want[3] = {int(p.rgb >> 16), int(p.rgb >> 8 & 0xFF), int(p.rgb & 0xFF)};
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], want[i], 8) << "at " << p.x << ", " << p.y;
    }
    ReleaseDC(window, dc);
}

// What a test does while the preview is open: `check` on the first timer tick, then stray
// messages that must not close it; on the second tick a press and release that must.
struct Run {
    HWND owner = nullptr;
    std::function<void(HWND)> check;
    bool byKey = true;
    int ticks = 0;
};
Run* run = nullptr;

BOOL CALLBACK FindPreview(HWND window, LPARAM found) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (lstrcmpA(text, kFullscreenCaption) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND preview = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPreview, reinterpret_cast<LPARAM>(&preview));
    if (!preview) return;
    switch (++run->ticks) {
        case 1:
            EXPECT_EQ(GetWindow(preview, GW_OWNER), run->owner);
            EXPECT_FALSE(IsWindowEnabled(run->owner));
            EXPECT_EQ(GetFocus(), preview);
            EXPECT_EQ(GetCapture(), preview);
            run->check(preview);
            // Releases of presses made before it opened (the Enter or Alt+F that pressed the
            // button), and presses alone.
            PostMessageA(preview, WM_KEYUP, VK_RETURN, 0xC0000001);
            PostMessageA(preview, WM_SYSKEYUP, 'F', 0xE0000001);
            PostMessageA(preview, WM_LBUTTONUP, 0, 0);
            PostMessageA(preview, WM_KEYDOWN, VK_SPACE, 1);
            PostMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, 0);
            break;
        case 2:
            PostMessageA(preview, run->byKey ? WM_KEYDOWN : WM_MBUTTONDOWN, run->byKey ? 'A' : MK_MBUTTON, 1);
            PostMessageA(preview, run->byKey ? WM_KEYUP : WM_MBUTTONUP, run->byKey ? 'A' : 0, 0xC0000001);
            break;
        default:
            ADD_FAILURE() << "still open after a press and release";
            SendMessageA(preview, WM_CLOSE, 0, 0);
    }
}

// Opens the preview over a plain owner window and runs `check` while it is open.
void OpenPreview(const Picture& picture, int16_t tile, bool stretch, bool byKey, std::function<void(HWND)> check) {
    Run state{CreateWindowExA(0, "STATIC", "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                              nullptr, nullptr, nullptr),
              std::move(check), byKey};
    SetForegroundWindow(state.owner);
    run = &state;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
    ShowFullscreenPreview(state.owner, picture, PictureEntry{0, "", tile, stretch});
    KillTimer(nullptr, timer);
    EXPECT_EQ(state.ticks, 2) << "closed by the press and release of the second tick";
    HWND preview = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPreview, reinterpret_cast<LPARAM>(&preview));
    EXPECT_FALSE(preview) << "destroyed";
    EXPECT_TRUE(IsWindowEnabled(state.owner));
    EXPECT_EQ(GetActiveWindow(), state.owner);
    DestroyWindow(state.owner);
    run = nullptr;
}

TEST(FullscreenPreview, EachStyleOverTheScreenRepaintedAfterItsPixelsAreLost) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    struct Case {
        const char* what;
        int width, height;
        int16_t tile;
        bool stretch;
        std::vector<Point> points;
    };
    const Case cases[] = {
        {"centred: 200 x 100 at (412, 334)", 200, 100, 0, false,
         {{413, 335, kRed}, {610, 432, kWhite}, {411, 380, kBlack}, {500, 434, kBlack}, {1023, 767, kBlack}}},
        {"centred, fitted: 1024 x 512 at top 128", 2048, 1024, 0, false,
         {{4, 132, kRed}, {1019, 635, kWhite}, {512, 126, kBlack}, {512, 641, kBlack}}},
        {"tiled: 100 x 60 copies to the far corner", 100, 60, 1, true,
         {{99, 29, kGreen}, {100, 29, kRed}, {10, 59, kBlue}, {10, 60, kRed}, {960, 720, kGreen}, {1023, 767, kBlue}}},
        {"tiled, fitted: 1024 x 256 and two copies below", 2048, 512, 1, false,
         {{1019, 4, kGreen}, {4, 260, kRed}, {1019, 508, kWhite}, {4, 764, kBlue}}},
        {"stretched", 64, 48, 0, true, {{100, 100, kRed}, {900, 100, kGreen}, {100, 700, kBlue}, {900, 700, kWhite}}},
    };
    bool byKey = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OpenPreview(QuadrantPicture(c.width, c.height), c.tile, c.stretch, byKey = !byKey, [&](HWND preview) {
            const RECT screen{0, 0, 1024, 768};
            RECT outer{}, client{};
            GetWindowRect(preview, &outer);
            GetClientRect(preview, &client);
            EXPECT_TRUE(EqualRect(&outer, &screen));
            EXPECT_TRUE(EqualRect(&client, &screen)) << "no border, no title bar";
            EXPECT_EQ(GetWindowLongA(preview, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_BORDER),
                      LONG(WS_POPUP));
            ExpectPixels(preview, c.points);
            HDC dc = GetDC(preview);  // as another window over it would leave it
            PatBlt(dc, 0, 0, 1024, 768, WHITENESS);
            ReleaseDC(preview, dc);
            InvalidateRect(preview, nullptr, TRUE);
            ExpectPixels(preview, c.points);
        });
    }
}

TEST(FullscreenPreview, AnEmptyPictureShowsBlackAndStillCloses) {
    for (bool byKey : {true, false}) {
        OpenPreview(Picture(), 1, false, byKey, [](HWND preview) {
            ExpectPixels(preview, {{0, 0, kBlack}, {512, 384, kBlack}, {1023, 767, kBlack}});
        });
    }
}

}  // namespace
