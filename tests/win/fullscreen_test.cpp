// The fullscreen preview opened in this process: the window over the monitor, its pixels in each
// style, and the releases that close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/message_pump.h"
#include "config/preview/frm_tile.h"
#include "test_pictures.h"

namespace {

using namespace config;
using namespace test_pictures;

constexpr uint32_t kBlack = 0x000000;

// A picture made in memory, as the picture services would decode it.
Picture MakePicture(int width, int height, const PixelFunction& pixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* out = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out[static_cast<size_t>(y) * width + x] = 0xFF000000u | pixel(x, y);
    }
    return Picture(std::make_shared<DecodedImage>(bitmap, bits, width, height));
}

// The client area of `window` as 0x00RRGGBB pixels, read back through its device context.
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Capture CaptureClient(HWND window) {
    Capture capture;
    RECT client{};
    GetClientRect(window, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(window);
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(windowDc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(p, p + static_cast<size_t>(capture.width) * capture.height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, windowDc);
    return capture;
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) return false;
    }
    return true;
}

struct Point {
    int x, y;
    uint32_t colour;
};

HWND MakeOwner() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FullscreenTestOwner";
    RegisterClassA(&windowClass);
    HWND owner = CreateWindowExA(0, "FullscreenTestOwner", "Owner", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(owner, SW_SHOW);
    SetForegroundWindow(owner);
    return owner;
}

// Steps run one per timer tick while the preview is open; a preview still open after the last
// step is closed, and counted as a failure.
struct Script {
    std::deque<std::function<void(HWND)>> steps;
    HWND owner = nullptr;
    bool overran = false;
};
Script* script = nullptr;

BOOL CALLBACK FindByCaption(HWND window, LPARAM result) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (std::string(text) != kFullscreenCaption) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND FindPreview() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindByCaption, reinterpret_cast<LPARAM>(&found));
    return found;
}

VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND preview = FindPreview();
    if (!preview) return;
    if (script->steps.empty()) {
        script->overran = true;
        SendMessageA(preview, WM_CLOSE, 0, 0);
        return;
    }
    auto step = std::move(script->steps.front());
    script->steps.pop_front();
    step(preview);
}

// Opens the preview and runs `steps` while it is open. Returns false when it had to be closed
// after the last step.
bool RunPreview(const Picture& picture, const PictureEntry& entry, std::deque<std::function<void(HWND)>> steps) {
    Script run{std::move(steps), MakeOwner(), false};
    script = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
    ShowFullscreenPreview(run.owner, picture, entry);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(FindPreview()) << "destroyed when it closes";
    EXPECT_TRUE(IsWindowEnabled(run.owner));
    EXPECT_EQ(GetActiveWindow(), run.owner);
    EXPECT_TRUE(run.steps.empty()) << "closed before the last step";
    DestroyWindow(run.owner);
    script = nullptr;
    return !run.overran;
}

void ExpectWindow(HWND preview) {
    RECT outer{};
    GetWindowRect(preview, &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(outer.bottom, GetSystemMetrics(SM_CYSCREEN));
    RECT client{};
    GetClientRect(preview, &client);
    EXPECT_EQ(client.right, outer.right - outer.left) << "no border";
    EXPECT_EQ(client.bottom, outer.bottom - outer.top) << "no title bar";
    const LONG style = GetWindowLongA(preview, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
    EXPECT_TRUE(IsWindowVisible(preview));
    EXPECT_EQ(GetWindow(preview, GW_OWNER), script->owner);
    EXPECT_FALSE(IsWindowEnabled(script->owner)) << "modal";
    EXPECT_EQ(GetFocus(), preview);
    EXPECT_EQ(GetCapture(), preview);
}

void ExpectPixels(HWND preview, const std::vector<Point>& points) {
    UpdateWindow(preview);
    const Capture capture = CaptureClient(preview);
    for (const Point& p : points) {
        EXPECT_TRUE(Near(capture.At(p.x, p.y), p.colour))
            << "at (" << p.x << ", " << p.y << "): 0x" << std::hex << capture.At(p.x, p.y) << ", expected 0x"
            << p.colour;
    }
}

// Paints the window's pixels grey, as another window over it would leave them.
void Scribble(HWND preview) {
    HDC dc = GetDC(preview);
    RECT client{};
    GetClientRect(preview, &client);
    HBRUSH grey = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &client, grey);
    DeleteObject(grey);
    ReleaseDC(preview, dc);
}

// Releases whose press came before the window opened close nothing; a press alone neither.
void PostStrayReleasesAndPresses(HWND preview) {
    PostMessageA(preview, WM_KEYUP, VK_RETURN, 0xC0000001);
    PostMessageA(preview, WM_SYSKEYUP, 'F', 0xE0000001);
    PostMessageA(preview, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PostMessageA(preview, WM_KEYDOWN, VK_SPACE, 1);
    PostMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
}

void PostKeyRelease(HWND preview) {
    PostMessageA(preview, WM_KEYDOWN, 'A', 1);
    PostMessageA(preview, WM_KEYUP, 'A', 0xC0000001);
}

void PostMouseRelease(HWND preview) {
    PostMessageA(preview, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(500, 400));
    PostMessageA(preview, WM_MBUTTONUP, 0, MAKELPARAM(500, 400));
}

struct StyleCase {
    const char* what;
    int width, height;
    int16_t tile;
    bool stretch;
    std::vector<Point> points;
};

// On the 1024 x 768 screen of the test display; pictures in quadrants red, green / blue, white.
TEST(FullscreenPreview, DrawsEachStyleOverTheScreenAndClosesOnARelease) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    const StyleCase cases[] = {
        {"centred at natural size: 200 x 100 at (412, 334)", 200, 100, 0, false,
         {{413, 335, kRed}, {610, 335, kGreen}, {413, 432, kBlue}, {610, 432, kWhite},
          {411, 380, kBlack}, {612, 380, kBlack}, {500, 333, kBlack}, {500, 434, kBlack}, {0, 0, kBlack},
          {1023, 767, kBlack}}},
        {"centred and fitted: 2048 x 1024 becomes 1024 x 512 at top 128", 2048, 1024, 0, false,
         {{4, 132, kRed}, {1019, 132, kGreen}, {4, 635, kBlue}, {1019, 635, kWhite}, {512, 126, kBlack},
          {512, 641, kBlack}}},
        {"tiled at natural size: 100 x 60 copies to the far corner", 100, 60, 1, false,
         {{10, 10, kRed}, {60, 10, kGreen}, {110, 10, kRed}, {99, 29, kGreen}, {100, 29, kRed}, {10, 70, kRed},
          {10, 59, kBlue}, {10, 60, kRed}, {1010, 750, kBlue}, {1023, 767, kBlue}, {960, 720, kGreen}}},
        {"tiled and fitted: 2048 x 512 becomes 1024 x 256, copies below", 2048, 512, 1, false,
         {{4, 4, kRed}, {1019, 4, kGreen}, {4, 260, kRed}, {1019, 508, kWhite}, {4, 516, kRed}, {4, 764, kBlue}}},
        {"stretched with halftoning", 64, 48, 0, true,
         {{100, 100, kRed}, {900, 100, kGreen}, {100, 700, kBlue}, {900, 700, kWhite}}},
        {"tiled whatever Stretch says", 100, 60, 1, true, {{10, 10, kRed}, {110, 70, kRed}, {60, 40, kWhite}}},
    };
    bool byKey = true;
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Picture picture = MakePicture(c.width, c.height, Quadrants(c.width, c.height));
        const bool closed = RunPreview(picture, PictureEntry{0, "", c.tile, c.stretch},
                                       {[&](HWND preview) {
                                            ExpectWindow(preview);
                                            ExpectPixels(preview, c.points);
                                            // A later paint, after the window's pixels were
                                            // lost, shows the same drawing.
                                            Scribble(preview);
                                            InvalidateRect(preview, nullptr, TRUE);
                                            ExpectPixels(preview, c.points);
                                            PostStrayReleasesAndPresses(preview);
                                        },
                                        [&](HWND preview) {
                                            EXPECT_TRUE(IsWindowVisible(preview)) << "still open";
                                            byKey ? PostKeyRelease(preview) : PostMouseRelease(preview);
                                        }});
        EXPECT_TRUE(closed) << (byKey ? "a key release" : "a mouse button release") << " closes it";
        byKey = !byKey;
    }
}

TEST(FullscreenPreview, AnEmptyPictureShowsBlackAndStillCloses) {
    for (bool byKey : {true, false}) {
        const bool closed = RunPreview(Picture(), PictureEntry{0, "", 1, false},
                                       {[](HWND preview) {
                                            ExpectWindow(preview);
                                            ExpectPixels(preview, {{0, 0, kBlack}, {512, 384, kBlack}, {1023, 767, kBlack}});
                                        },
                                        [byKey](HWND preview) {
                                            byKey ? PostKeyRelease(preview) : PostMouseRelease(preview);
                                        }});
        EXPECT_TRUE(closed);
    }
}

}  // namespace
