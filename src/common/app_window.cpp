#include "common/app_window.h"

#include "common/resource.h"

namespace {

HWND g_applicationWindow = nullptr;
ApplicationCloseHandler g_closeHandler = nullptr;
constexpr char kClassName[] = "QuilloriaApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (g_closeHandler) g_closeHandler();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateApplicationWindow(HINSTANCE instance, const std::string& title) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ApplicationWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(QL_PROGRAM_ICON));
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

    // A top-level window that is never shown: WS_POPUP keeps it out of the way even if shown.
    g_applicationWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, title.c_str(), WS_POPUP, 0, 0, 0, 0,
                                          nullptr, nullptr, instance, nullptr);
    return g_applicationWindow;
}

HWND ApplicationWindow() { return g_applicationWindow; }

void SetApplicationTitle(const std::string& title) {
    if (g_applicationWindow) SetWindowTextA(g_applicationWindow, title.c_str());
}

std::string ApplicationTitle() {
    if (!g_applicationWindow) return std::string();
    char buffer[512] = {};
    GetWindowTextA(g_applicationWindow, buffer, sizeof(buffer));
    return buffer;
}

void SetApplicationCloseHandler(ApplicationCloseHandler handler) { g_closeHandler = handler; }
