// A program that refuses to let the session end: its window answers FALSE to
// WM_QUERYENDSESSION, as an editor with unsaved work does. It notes each WM_ENDSESSION it gets in
// "SessionBlocker.log" beside itself ("end 0" for a cancelled end) and ends when its window closes.
#include <windows.h>

#include <cstring>

namespace {
void Note(const char* text) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (!slash) return;
    lstrcpyA(slash + 1, "SessionBlocker.log");
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK BlockerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            Note("query\n");
            return FALSE;
        case WM_ENDSESSION:
            Note(wParam ? "end 1\n" : "end 0\n");
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BlockerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuilloriaSessionBlocker";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "QuilloriaSessionBlocker", "Session Blocker", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
