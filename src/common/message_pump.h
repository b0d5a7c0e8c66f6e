// Message loops of the Win32 layer.
#pragma once

#include <windows.h>

// Lets the window messages waiting in this thread's queue be processed once, then returns.
void DoEvents();

// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Shows `window` as a modal window of `owner` and returns when it has closed: the owner takes no
// input meanwhile. Messages get the same dialog keys as in the main loop (Tab, access keys, Enter
// and Esc as IDOK and IDCANCEL). The window closes with EndModal (or by being destroyed); then the
// owner is enabled again before `window` is hidden and destroyed, so that the activation returns
// to the owner. A WM_QUIT that arrives meanwhile ends the modal loop too and is posted again for
// the main loop.
void RunModal(HWND window, HWND owner);

// Closes a window shown by RunModal once the current message has been handled.
void EndModal(HWND window);
