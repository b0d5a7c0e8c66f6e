// Descriptions of Windows errors for the messages shown to the user. A Windows error is a DWORD
// throughout the code (0: none), as GetLastError gives it.
#pragma once

#include <windows.h>

#include <string>

// Returns the system's one-line description of a Windows error code, or "Error N" when the
// system has none.
std::string SystemErrorDescription(DWORD error);
