// The configuration program's start-up, and the loader's autostart value and control of a
// running loader.
#pragma once

#include <windows.h>

#include <string>

#include "config/ok_rules.h"

namespace config {

// Runs once when the program starts: loads the main window hidden, reads the settings file and
// shows the window. Returns false when the window could not be created.
bool StartUp(HINSTANCE instance);

// True when the machine-wide or the current user's autostart value can be read as a non-empty
// text and Windows' startup switch of that value does not turn it off.
bool IsAutostartRegistered();

// How the autostart value below `root` (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER) stands: absent,
// this loader's full path (quoted or bare), or any other value of that name.
RunValue ReadRunValue(HKEY root);

// The autostart value below `root` and whether its startup switch turns it off.
RunState ReadRunState(HKEY root);

// Where the startup switch of the autostart value below `root` is kept (opened in the registry's
// 64-bit view): the machine-wide value of a 32-bit program on 64-bit Windows has its own key.
const char* StartupSwitchKeyPath(HKEY root);

// Writes or removes the machine-wide and the current user's autostart values as the user chose,
// the machine-wide one first, and removes their startup switches. Returns 0 when autostart is now
// as chosen, else the Windows error that kept it so.
DWORD SetAutostart(bool wanted);

// Removes the startup switch of the autostart value below `root`. Returns 0 (also when there is
// none), or the Windows error that kept it.
DWORD ClearStartupSwitch(HKEY root);

// After "&OK" saved the list: starts the loader beside this program, by its full path, when
// autostart is `wanted` and on, no loader runs, and this program runs as the desktop shell does.
// The search for a running loader lets messages through. A loader that cannot be started starts
// at the next logon; nothing is reported.
void StartLoaderAfterOk(bool wanted);

// How this program's user, elevation and integrity level compare with the desktop shell's.
ShellMatch CompareWithShell();

// Returns the text of a REG_SZ value, or the empty text when the key or value cannot be read, the
// value has another type, or its text is longer than 255 characters. The key is opened with the
// right to read only, which a user holds where writing is refused.
std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName);

// Writes the autostart value below `root`: the loader's full path in the application folder.
// Returns 0, or the Windows error that kept it from being written.
DWORD RegisterAutostart(HKEY root = HKEY_LOCAL_MACHINE);

// Deletes the autostart value below `root`. Returns 0, or the Windows error that kept it from being
// deleted.
DWORD UnregisterAutostart(HKEY root = HKEY_LOCAL_MACHINE);

// Writes or deletes the autostart value below `root` at `keyPath`; the two above call these with
// the Run key. `data` is the value's text. The current user's key is created when missing (a new
// profile may lack it); a machine-wide key is only opened.
DWORD WriteAutostartValue(HKEY root, const std::string& keyPath, const std::string& data);
DWORD DeleteAutostartValue(HKEY root, const std::string& keyPath);

// Ends the process that created `window`, with exit code 0, and waits a moment for it to be gone.
// Returns 0 when it ended (or was gone already), else the Windows error that kept it running.
DWORD TerminateWindowProcess(HWND window);

}  // namespace config
