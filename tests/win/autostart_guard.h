// Keeps the machine's autostart value around a test: taken away at the start (so that each test
// begins without one) and put back as it was, type and bytes, at the end.
#pragma once

#include <windows.h>

#include <string>

#include "config/config_texts.h"

class AutostartGuard {
public:
    AutostartGuard() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return;
        }
        char buffer[1024];
        DWORD size = sizeof(buffer);
        saved_ = RegQueryValueExA(key, kAutostartValueName, nullptr, &type_, reinterpret_cast<BYTE*>(buffer), &size) ==
                 ERROR_SUCCESS;
        if (saved_) data_.assign(buffer, size);
        RegDeleteValueA(key, kAutostartValueName);
        RegCloseKey(key);
    }
    ~AutostartGuard() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        if (saved_) {
            RegSetValueExA(key, kAutostartValueName, 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        } else {
            RegDeleteValueA(key, kAutostartValueName);
        }
        RegCloseKey(key);
    }
    AutostartGuard(const AutostartGuard&) = delete;
    AutostartGuard& operator=(const AutostartGuard&) = delete;

private:
    bool saved_ = false;
    DWORD type_ = REG_SZ;
    std::string data_;
};
