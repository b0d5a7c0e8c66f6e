// Descriptions of Windows errors for the messages shown to the user.
#pragma once

#include <windows.h>

#include <string>

// Returns the system's one-line description of a Windows error code, or "Error N" when the
// system has none.
std::string SystemErrorDescription(DWORD error);
