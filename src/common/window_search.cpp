#include "common/window_search.h"

#include <new>
#include <vector>

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

namespace {

BOOL CALLBACK AddToList(HWND window, LPARAM list) {
    // No exception may leave a callback that user32 calls: no memory ends the listing there.
    try {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindOwnerWindowByTitle(const std::string& title) {
    // The windows are listed first, by EnumWindows, and examined afterwards: the messages processed
    // between two windows may destroy the one just examined (any program's window may go
    // meanwhile), and the next window of a destroyed one is none, which would end a walk by
    // GW_HWNDNEXT before the end.
    std::vector<HWND> windows;
    try {
        windows.reserve(1024);  // a desktop's windows, so that the listing itself rarely allocates
    } catch (const std::bad_alloc&) {
        return nullptr;  // called from window procedures: no memory is a search that finds nothing
    }
    EnumWindows(AddToList, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        HWND owner = GetWindow(window, GW_OWNER);
        if (owner && TopLevelWindowText(owner) == title) return owner;
        DoEvents();
    }
    return nullptr;
}
