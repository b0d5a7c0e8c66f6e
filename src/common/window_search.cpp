#include "common/window_search.h"

#include "common/message_pump.h"

std::string TopLevelWindowText(HWND window) {
    // GetWindowTextA answers for other programs' windows from the window manager's copy of the text.
    // GetWindowTextLengthA would send WM_GETTEXTLENGTH and wait for a busy program to answer, so the
    // buffer is sized for any title instead.
    char buffer[1024] = {};
    const int length = GetWindowTextA(window, buffer, sizeof(buffer));
    return length > 0 ? std::string(buffer) : std::string();
}

HWND FindOwnerWindowByTitle(HWND start, const std::string& title) {
    for (HWND window = GetWindow(start, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && TopLevelWindowText(owner) == title) return owner;
        DoEvents();
    }
    return nullptr;
}
