#include "common/reg_value.h"

#include "common/shared_names.h"

// The rights named in the platform-free header carry the values Windows gives them.
static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE);

DWORD SetRegValue(HKEY hKey, const std::string& ValueName, DWORD ValueType, const std::string& Value) {
    return static_cast<DWORD>(RegSetValueExA(hKey, ValueName.c_str(), 0, ValueType,
                                             reinterpret_cast<const BYTE*>(Value.data()),
                                             static_cast<DWORD>(Value.size())));
}
