// The smallest Win32 window program: the yardstick for how long Wine takes to start a program
// and show a window at all.
#include <windows.h>

namespace {
LRESULT CALLBACK BareWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareWindow";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "BareWindow", "Bare Window", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
