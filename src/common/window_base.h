// The two pieces of window plumbing every window class of both programs shares: reading a
// window's DPI, and a window procedure that attaches the C++ object at WM_NCCREATE.
#pragma once

#include <windows.h>

// The DPI of a window, with a fallback to the screen's where the per-window call is missing.
int WindowDpi(HWND window);

// Registers the class of a program's form window: the program icon (resource 1, large and
// small), the arrow cursor and `background`, the button face when none is given. Returns false on
// failure; a class that is already registered counts as success.
bool RegisterFormClass(HINSTANCE instance, const char* className, WNDPROC windowProc, HBRUSH background = nullptr);

// The window procedure of a window class `Form`: the object passed as the creation parameter of
// CreateWindowEx is attached at WM_NCCREATE (its `hwnd_` set), and every message goes to its
// HandleMessage(hwnd, message, wParam, lParam). At WM_NCDESTROY, the window's last message, the
// object is detached and its `hwnd_` cleared. Form declares this function its friend.
template <class Form>
LRESULT CALLBACK FormWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Form*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The last message of the window: the object no longer belongs to it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT result = self->HandleMessage(hwnd, message, wParam, lParam);
        self->hwnd_ = nullptr;
        return result;
    }
    return self->HandleMessage(hwnd, message, wParam, lParam);
}
