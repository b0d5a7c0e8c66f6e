#include "loader/frm_main.h"

#include "common/twips.h"

LoaderMainForm frmMain;

namespace {
constexpr char kClassName[] = "QuilloriaLoaderMain";
constexpr char kCaption[] = "Quilloria";
constexpr int kClientWidthTwips = 3045;
constexpr int kClientHeightTwips = 1350;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_BORDER;  // fixed single border
}  // namespace

bool LoaderMainForm::Load(HINSTANCE instance, HWND owner) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    const int dpi = 96;
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    hwnd_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, kCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance, this);
    return hwnd_ != nullptr;
}

void LoaderMainForm::Unload() { Close(kUnloadByCode); }

void LoaderMainForm::Close(int16_t mode) {
    if (!hwnd_) return;
    int16_t cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel) return;
    DestroyWindow(hwnd_);
}

void LoaderMainForm::Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) {
    (void)Cancel;  // the loader never refuses to close
    if (UnloadMode != kUnloadAppWindows) return;
}

LRESULT CALLBACK LoaderMainForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<LoaderMainForm*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<LoaderMainForm*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT LoaderMainForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE;  // agree; the work waits until the session really ends
        case WM_ENDSESSION:
            // Only a session that really ends changes the wallpaper; a cancelled one changes nothing.
            if (wParam) Close(kUnloadAppWindows);
            return 0;
        case WM_CLOSE:
            Close(kUnloadFromControlMenu);
            return 0;
        case WM_DESTROY:
            hwnd_ = nullptr;
            PostQuitMessage(0);  // the loader ends with its window
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
