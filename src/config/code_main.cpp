#include "config/code_main.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "common/ansi_text.h"
#include "common/app_window.h"
#include "common/file_system.h"
#include "common/reg_value.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "common/window_search.h"
#include "config/config_texts.h"
#include "config/frm_main.h"
#include "config/message_box.h"

namespace config {

namespace {
// The loader beside this program, and the autostart value's data that names it.
std::string LoaderPath() { return LoaderPathIn(AppFolder(), AnsiLeadBytes()); }
std::string LoaderData() { return AutostartData(AppFolder(), AnsiLeadBytes()); }

// The startup switches are Explorer's, kept in the 64-bit view whatever this program's bitness.
constexpr REGSAM kSwitchView = KEY_WOW64_64KEY;

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The data of the autostart value's startup switch below `root`, or nothing when there is none
// (or it cannot be read, which a user without rights on it cannot change either).
std::optional<std::string> ReadStartupSwitch(HKEY root) {
    ScopedRegKey key;
    if (key.Open(root, StartupSwitchKeyPath(root), kRegistryReadAccess | kSwitchView) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), kAutostartValueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::string data(size, '\0');
    if (RegQueryValueExA(key.get(), kAutostartValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(std::min<size_t>(size, data.size()));
    return data;
}

// True when the token of `process` has the same user, elevation and integrity level as `other`.
bool SameUserAndElevation(HANDLE token, HANDLE other) {
    const auto info = [](HANDLE t, TOKEN_INFORMATION_CLASS kind) {
        DWORD size = 0;
        GetTokenInformation(t, kind, nullptr, 0, &size);
        std::vector<BYTE> bytes(size);
        if (size == 0 || !GetTokenInformation(t, kind, bytes.data(), size, &size)) bytes.clear();
        return bytes;
    };
    const std::vector<BYTE> user = info(token, TokenUser), otherUser = info(other, TokenUser);
    if (user.empty() || otherUser.empty() ||
        !EqualSid(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid,
                  reinterpret_cast<const TOKEN_USER*>(otherUser.data())->User.Sid)) {
        return false;
    }
    const std::vector<BYTE> elevation = info(token, TokenElevation), otherElevation = info(other, TokenElevation);
    if (elevation.size() < sizeof(TOKEN_ELEVATION) || otherElevation.size() < sizeof(TOKEN_ELEVATION) ||
        (reinterpret_cast<const TOKEN_ELEVATION*>(elevation.data())->TokenIsElevated != 0) !=
            (reinterpret_cast<const TOKEN_ELEVATION*>(otherElevation.data())->TokenIsElevated != 0)) {
        return false;
    }
    // The integrity level is the last sub-authority of the label's SID.
    const auto level = [](const std::vector<BYTE>& label) -> std::optional<DWORD> {
        if (label.size() < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
        PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
        if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
        return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    };
    const auto mine = level(info(token, TokenIntegrityLevel));
    const auto theirs = level(info(other, TokenIntegrityLevel));
    return mine && theirs && *mine == *theirs;
}
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
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        if (GetRegString(root, kRunKeyPath, kAutostartValueName).empty()) continue;
        const std::optional<std::string> startupSwitch = ReadStartupSwitch(root);
        if (!startupSwitch || !SwitchTurnsOff(*startupSwitch)) return true;
    }
    return false;
}

const char* StartupSwitchKeyPath(HKEY root) {
    // A 32-bit program's machine-wide Run value lands in the 32-bit view (WOW6432Node) on 64-bit
    // Windows; its switch is kept in Run32. The current user's Run key is one for both bitnesses.
    return root == HKEY_LOCAL_MACHINE && RunsUnderWow64() ? kStartupSwitch32KeyPath : kStartupSwitchKeyPath;
}

RunState ReadRunState(HKEY root) {
    const std::optional<std::string> startupSwitch = ReadStartupSwitch(root);
    return RunState{ReadRunValue(root), startupSwitch && SwitchTurnsOff(*startupSwitch)};
}

DWORD ClearStartupSwitch(HKEY root) {
    // Only a switch that is there is deleted: the key may not be open to this user for writing.
    if (!ReadStartupSwitch(root)) return ERROR_SUCCESS;
    ScopedRegKey key;
    const DWORD opened = key.Open(root, StartupSwitchKeyPath(root), kRegistryWriteAccess | kSwitchView);
    if (opened != ERROR_SUCCESS) return opened;
    const LONG deleted = RegDeleteValueA(key.get(), kAutostartValueName);
    return deleted == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : static_cast<DWORD>(deleted);
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
    return NamesLoader(text, LoaderPath()) ? RunValue::ThisLoader : RunValue::Other;
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
    const auto applyWithSwitch = [&](HKEY root, bool covered) {
        apply(root, covered);
        // A switch that turned the value off would keep the loader from starting although ticked
        // (a value written again stays off), and unticked none is left behind. Without a switch
        // Windows starts the value, so the switch is deleted rather than written as "on".
        const DWORD cleared = ClearStartupSwitch(root);
        if (cleared != ERROR_SUCCESS) failure = cleared;
    };
    // The machine-wide value is the first choice; the current user's stands in where it cannot be
    // written or its switch cannot be cleared (a program started normally on Windows 10 and 11 may
    // not write HKEY_LOCAL_MACHINE).
    applyWithSwitch(HKEY_LOCAL_MACHINE, false);
    applyWithSwitch(HKEY_CURRENT_USER, StartsLoader(ReadRunState(HKEY_LOCAL_MACHINE)));
    if (!AutostartMissesChoice(wanted, ReadRunState(HKEY_LOCAL_MACHINE), ReadRunState(HKEY_CURRENT_USER))) {
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

DWORD RegisterAutostart(HKEY root) { return WriteAutostartValue(root, kRunKeyPath, LoaderData()); }

DWORD UnregisterAutostart(HKEY root) { return DeleteAutostartValue(root, kRunKeyPath); }

DWORD TerminateWindowProcess(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0) return ERROR_SUCCESS;  // the window, and the program with it, is gone
    const ScopedHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) {
        const DWORD error = GetLastError();
        return error == ERROR_INVALID_PARAMETER ? ERROR_SUCCESS : error;  // no such process any more
    }
    if (!TerminateProcess(process.get(), 0)) {
        const DWORD error = GetLastError();
        return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0 ? ERROR_SUCCESS : error;
    }
    // Ending is asynchronous: the process is gone once its handle is signalled.
    WaitForSingleObject(process.get(), 2000);
    return ERROR_SUCCESS;
}

ShellMatch CompareWithShell() {
    HWND shell = GetShellWindow();
    if (!shell) return ShellMatch::NoShell;
    DWORD shellId = 0;
    GetWindowThreadProcessId(shell, &shellId);
    // A shell whose token this program may not read runs as another user.
    const ScopedHandle shellProcess(shellId ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, shellId) : nullptr);
    HANDLE shellToken = nullptr;
    HANDLE ownToken = nullptr;
    if (!shellProcess || !OpenProcessToken(shellProcess.get(), TOKEN_QUERY, &shellToken)) return ShellMatch::Different;
    const ScopedHandle shellTokenHolder(shellToken);
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &ownToken)) return ShellMatch::Different;
    const ScopedHandle ownTokenHolder(ownToken);
    return SameUserAndElevation(ownToken, shellToken) ? ShellMatch::Same : ShellMatch::Different;
}

void StartLoaderAfterOk(bool wanted) {
    if (!wanted) return;
    const RunState machine = ReadRunState(HKEY_LOCAL_MACHINE);
    const RunState user = ReadRunState(HKEY_CURRENT_USER);
    if (!StartsLoaderNow(wanted, machine, user, false, ShellMatch::NoShell)) return;  // autostart is not on
    const bool loaderRunning = FindOwnerWindowByTitle(kLoaderTitle) != nullptr;
    if (!StartsLoaderNow(wanted, machine, user, loaderRunning, CompareWithShell())) return;

    // By its full path, the command line quoted as the Run value is: the loader reads no arguments.
    const std::string path = LoaderPath();
    std::string commandLine = LoaderData();
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, AppFolder().c_str(),
                       &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
}

}  // namespace config
