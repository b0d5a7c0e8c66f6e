// A stand-in for the configuration program, installed as Quilloria.exe where a test needs a
// program the loader can start and wait for. It shows a window titled "Quilloria Configuration",
// owned by a hidden window titled "Quilloria" like the real program's, notes in its folder that
// it was started, and ends when its window is closed. Started with the argument "--owner TITLE",
// it titles its hidden owner window TITLE instead: a program of another kind that happens to
// look like a running loader.
#include <windows.h>

namespace {
LRESULT CALLBACK StandInProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void NoteStart() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    char* slash = strrchr(module, '\\');
    if (!slash) return;
    lstrcpyA(slash + 1, "StandIn.started");
    HANDLE file = CreateFileA(module, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    NoteStart();
    const char* ownerTitle = "Quilloria";
    if (const char* option = strstr(commandLine, "--owner ")) ownerTitle = option + 8;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "QuilloriaStandIn";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&windowClass);
    HWND application = CreateWindowExA(WS_EX_TOOLWINDOW, "QuilloriaStandIn", ownerTitle, WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExA(0, "QuilloriaStandIn", "Quilloria Configuration", WS_OVERLAPPEDWINDOW, 100, 100,
                                  400, 200, application, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
