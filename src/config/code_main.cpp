#include "config/code_main.h"

#include <algorithm>
#include <cstring>

#include "common/ansi_text.h"
#include "common/app_window.h"
#include "common/file_system.h"
#include "common/reg_value.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "config/config_texts.h"
#include "config/frm_main.h"
#include "config/message_box.h"

namespace config {

namespace {
// The autostart value's data: the loader beside this program.
std::string LoaderPath() { return AutostartData(AppFolder(), AnsiLeadBytes()); }
}  // namespace

bool StartUp(HINSTANCE instance) {
    if (AppFolder().empty()) {
        ShowErrorMessage(ApplicationWindow(), FolderUnusableText(ProgramFolderWide()));
        return false;
    }
    if (!frmMain.Load(instance, ApplicationWindow())) return false;
    // A missing or rejected file shows up later as a list that does not exist yet.
    LoadSettings();
    frmMain.Show();
    return true;
}

bool IsAutostartRegistered() {
    return !GetRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutostartValueName).empty();
}

bool AutostartValueExists() {
    ScopedRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, kRunKeyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS) return false;
    return RegQueryValueExA(key.get(), kAutostartValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool AutostartIsAsChosen(bool wanted) {
    if (!wanted) return !AutostartValueExists();
    return GetRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutostartValueName) == LoaderPath();
}

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    ScopedRegKey key;
    LONG opened = key.Open(root, keyPath.c_str(), kRunKeyAccess);
    if (opened == ERROR_ACCESS_DENIED) opened = key.Open(root, keyPath.c_str(), KEY_QUERY_VALUE);
    if (opened != ERROR_SUCCESS) return std::string();

    char buffer[kMaxAutostartText + 1] = {};
    DWORD size = sizeof(buffer);
    DWORD type = REG_NONE;
    std::string result;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        // A text of 256 characters stored without its NUL fills the buffer: too long, like a longer one.
        const size_t length = strnlen(buffer, std::min<size_t>(size, sizeof(buffer)));
        if (length <= kMaxAutostartText) result.assign(buffer, length);
    }
    return result;
}

LONG WriteAutostartValue(HKEY root, const std::string& keyPath, const std::string& data) {
    ScopedRegKey key;
    const LONG opened = key.Open(root, keyPath.c_str(), kRunKeyAccess);
    if (opened != ERROR_SUCCESS) return opened;
    return SetRegValue(key.get(), kAutostartValueName, REG_SZ, data);
}

LONG DeleteAutostartValue(HKEY root, const std::string& keyPath) {
    ScopedRegKey key;
    const LONG opened = key.Open(root, keyPath.c_str(), kRunKeyAccess);
    if (opened != ERROR_SUCCESS) return opened;
    return RegDeleteValueA(key.get(), kAutostartValueName);
}

LONG RegisterAutostart() { return WriteAutostartValue(HKEY_LOCAL_MACHINE, kRunKeyPath, LoaderPath()); }

LONG UnregisterAutostart() { return DeleteAutostartValue(HKEY_LOCAL_MACHINE, kRunKeyPath); }

void TerminateWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0) return;
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process) return;
    TerminateProcess(process, 0);
    CloseHandle(process);
}

}  // namespace config
