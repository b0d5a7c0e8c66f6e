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
    return !GetRegString(HKEY_LOCAL_MACHINE, kRunKeyPath, kAutostartValueName).empty() ||
           !GetRegString(HKEY_CURRENT_USER, kRunKeyPath, kAutostartValueName).empty();
}

RunValue ReadRunValue(HKEY root) {
    ScopedRegKey key;
    if (key.Open(root, kRunKeyPath, kRegistryReadAccess) != ERROR_SUCCESS) return RunValue::Absent;
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LONG found = RegQueryValueExA(key.get(), kAutostartValueName, nullptr, &type, nullptr, &size);
    if (found == ERROR_FILE_NOT_FOUND) return RunValue::Absent;
    if (found != ERROR_SUCCESS || type != REG_SZ) return RunValue::Other;
    // Read whole, whatever its length: a path too long for the check box still starts the loader.
    std::string text(size, '\0');
    if (RegQueryValueExA(key.get(), kAutostartValueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return RunValue::Other;
    }
    text.resize(strnlen(text.data(), std::min<size_t>(size, text.size())));
    return text == LoaderPath() ? RunValue::ThisLoader : RunValue::Other;
}

DWORD SetAutostart(bool wanted) {
    DWORD failure = ERROR_SUCCESS;
    const auto apply = [&](HKEY root, bool covered) {
        const RunValue value = ReadRunValue(root);
        DWORD result = ERROR_SUCCESS;
        switch (StepFor(wanted, value, covered)) {
            case RunValueStep::Leave:
                return;
            case RunValueStep::Write:
                // An existing value is deleted first; what counts is whether it is written afterwards.
                if (value != RunValue::Absent) UnregisterAutostart(root);
                result = RegisterAutostart(root);
                break;
            case RunValueStep::Remove:
                result = UnregisterAutostart(root);
                break;
        }
        if (result != ERROR_SUCCESS) failure = result;
    };
    // The machine-wide value is the first choice; the current user's stands in where it cannot be
    // written (a program started normally on Windows 10 and 11 may not write HKEY_LOCAL_MACHINE).
    apply(HKEY_LOCAL_MACHINE, false);
    apply(HKEY_CURRENT_USER, ReadRunValue(HKEY_LOCAL_MACHINE) == RunValue::ThisLoader);
    if (!AutostartMissesChoice(wanted, ReadRunValue(HKEY_LOCAL_MACHINE), ReadRunValue(HKEY_CURRENT_USER))) {
        return ERROR_SUCCESS;
    }
    // Every attempt reported success, yet the values read back otherwise.
    return failure != ERROR_SUCCESS ? failure : ERROR_INVALID_DATA;
}

std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName) {
    ScopedRegKey key;
    if (key.Open(root, keyPath.c_str(), kRegistryReadAccess) != ERROR_SUCCESS) return std::string();

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

DWORD WriteAutostartValue(HKEY root, const std::string& keyPath, const std::string& data) {
    ScopedRegKey key;
    const DWORD opened = root == HKEY_CURRENT_USER ? key.Create(root, keyPath.c_str(), kRegistryWriteAccess)
                                                  : key.Open(root, keyPath.c_str(), kRegistryWriteAccess);
    if (opened != ERROR_SUCCESS) return opened;
    return SetRegValue(key.get(), kAutostartValueName, REG_SZ, data);
}

DWORD DeleteAutostartValue(HKEY root, const std::string& keyPath) {
    ScopedRegKey key;
    const DWORD opened = key.Open(root, keyPath.c_str(), kRegistryWriteAccess);
    if (opened != ERROR_SUCCESS) return opened;
    return static_cast<DWORD>(RegDeleteValueA(key.get(), kAutostartValueName));
}

DWORD RegisterAutostart(HKEY root) { return WriteAutostartValue(root, kRunKeyPath, LoaderPath()); }

DWORD UnregisterAutostart(HKEY root) { return DeleteAutostartValue(root, kRunKeyPath); }

void TerminateWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0) return;
    const ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    if (process) TerminateProcess(process.get(), 0);
}

}  // namespace config
