// Keeps the machine-wide and the current user's autostart values around a test: taken away at the
// start (so that each test begins without one) and put back as they were, type and bytes, at the
// end. A value left behind would start a loader at every later session end of the test prefix.
#pragma once

#include <windows.h>

#include <string>

#include "config/config_texts.h"

class SavedRunValue {
public:
    explicit SavedRunValue(HKEY root) : root_(root) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
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
    ~SavedRunValue() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root_, kRunKeyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        if (saved_) {
            RegSetValueExA(key, kAutostartValueName, 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        } else {
            RegDeleteValueA(key, kAutostartValueName);
        }
        RegCloseKey(key);
    }
    SavedRunValue(const SavedRunValue&) = delete;
    SavedRunValue& operator=(const SavedRunValue&) = delete;

private:
    HKEY root_;
    bool saved_ = false;
    DWORD type_ = REG_SZ;
    std::string data_;
};

struct AutostartGuard {
    SavedRunValue machine{HKEY_LOCAL_MACHINE};
    SavedRunValue user{HKEY_CURRENT_USER};
};
