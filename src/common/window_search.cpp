#include "common/window_search.h"

#include "common/message_pump.h"

std::string TopLevelWindowText(HWND window) {
    // For another program's window both calls answer from the window manager's copy of the text,
    // without sending that program a message, so a busy program cannot stall the search.
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    if (copied <= 0) return std::string();
    text.resize(text.find('\0'));  // cut at the first NUL
    return text;
}

HWND FindOwnerWindowByTitle(HWND start, const std::string& title) {
    for (HWND window = GetWindow(start, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && TopLevelWindowText(owner) == title) return owner;
        DoEvents();
    }
    return nullptr;
}
