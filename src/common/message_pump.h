// Message loops of the Win32 layer.
#pragma once

#include <windows.h>

// Lets the window messages waiting in this thread's queue be processed once, then returns.
void DoEvents();

// Runs the program's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();
