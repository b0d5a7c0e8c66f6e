// Finding a running program by the text of the window that owns its windows.
#pragma once

#include <windows.h>

#include <string>

// Walks all top-level windows as EnumWindows lists them and returns the first owner whose text
// equals `title` exactly, or 0. Only owners are compared, never the windows themselves. Pending
// messages are processed after each window examined.
HWND FindOwnerWindowByTitle(const std::string& title);

// Returns the text of a window, also of another program's top-level window; empty when it has
// none or it cannot be read.
std::string TopLevelWindowText(HWND window);
