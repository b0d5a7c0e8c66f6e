#include "common/message_pump.h"

namespace {

// The modal loops running on this thread, the innermost first. EndModal marks its window's loop
// done; the loop reads that flag after each message (a window property would cost a round trip to
// the window system at every message, each tick of a window's timer included).
struct ModalLoop {
    HWND window;
    bool done;
    ModalLoop* outer;
};
thread_local ModalLoop* innermostModalLoop = nullptr;

// Gives the windows that ask for it (WS_EX_CONTROLPARENT) their Tab, access-key, Enter and Esc
// handling; dispatches everything else.
void Dispatch(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && (GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageA(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
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
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return static_cast<int>(message.wParam);
}

void RunModal(HWND window, HWND owner) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (owner) EnableWindow(owner, FALSE);
    ModalLoop loop{window, false, innermostModalLoop};
    innermostModalLoop = &loop;
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (!loop.done && IsWindow(window)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Dispatch(message);
    }
    innermostModalLoop = loop.outer;
    if (owner && ownerWasEnabled) EnableWindow(owner, TRUE);
    if (IsWindow(window)) {
        // Hidden while the owner can take the activation, then gone.
        ShowWindow(window, SW_HIDE);
        DestroyWindow(window);
    }
    if (owner && ownerWasEnabled && IsWindow(owner)) SetActiveWindow(owner);
}

void EndModal(HWND window) {
    for (ModalLoop* loop = innermostModalLoop; loop; loop = loop->outer) {
        if (loop->window == window) loop->done = true;
    }
    PostMessageA(window, WM_NULL, 0, 0);  // wakes the modal loop
}
