#include "common/message_pump.h"

namespace {
bool DispatchOne(const MSG& message) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}
}  // namespace

void DoEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchOne(message);
    }
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // IsDialogMessage gives the owned dialog windows their Tab and access-key handling.
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (root && (GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageA(root, &message)) {
            continue;
        }
        DispatchOne(message);
    }
    return static_cast<int>(message.wParam);
}
