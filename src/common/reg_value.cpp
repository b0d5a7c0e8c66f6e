#include "common/reg_value.h"

DWORD SetRegValue(HKEY hKey, const std::string& ValueName, DWORD ValueType, const std::string& Value) {
    return static_cast<DWORD>(RegSetValueExA(hKey, ValueName.c_str(), 0, ValueType, reinterpret_cast<const BYTE*>(Value.data()),
                          static_cast<DWORD>(Value.size())));
}
