// Storing one registry value in its text form.
#pragma once

#include <windows.h>

#include <string>

// Stores `Value` under `ValueName` in the opened key `hKey` with the type `ValueType`. The data
// size is the text's length without a terminating NUL. Returns RegSetValueExA's result, 0 on
// success.
LONG SetRegValue(HKEY hKey, const std::string& ValueName, DWORD ValueType, const std::string& Value);
