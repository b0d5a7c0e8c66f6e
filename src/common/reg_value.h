// Storing one registry value in its text form.
#pragma once

#include <windows.h>

#include <string>

// Stores `Value` under `ValueName` in the opened key `hKey` with the type `ValueType`. The data
// size is the text's length without a terminating NUL. Returns 0, or the Windows error that kept
// the value from being stored.
DWORD SetRegValue(HKEY hKey, const std::string& ValueName, DWORD ValueType, const std::string& Value);
