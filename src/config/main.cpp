// Quilloria: the configuration program. For now the smallest program with its titled window;
// it ends when the window is closed.
#include <windows.h>

#include "common/app_window.h"
#include "common/message_pump.h"
#include "common/process_hardening.h"

namespace {
LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    HardenDllSearchOrder();
    HWND application = CreateApplicationWindow(instance, "Quilloria");
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuilloriaConfigMain";
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, windowClass.lpszClassName, "Quilloria Configuration",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 516, 240,
                                  application, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    return RunMessageLoop();
}
