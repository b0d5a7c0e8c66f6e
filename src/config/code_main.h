// The configuration program's start-up, and the loader's autostart value and control of a
// running loader.
#pragma once

#include <windows.h>

#include <string>

namespace config {

// Runs once when the program starts: loads the main window hidden, reads the settings file and
// shows the window. Returns false when the window could not be created.
bool StartUp(HINSTANCE instance);

// True when the autostart value can be read as a non-empty text.
bool IsAutostartRegistered();

// True when a value of the autostart value's name exists at all, of any type or length.
bool AutostartValueExists();

// True when the autostart value is as the user chose: the loader's path in the application folder
// when `wanted`, no value at all otherwise.
bool AutostartIsAsChosen(bool wanted);

// Returns the text of a REG_SZ value, or the empty text when the key or value cannot be read, the
// value has another type, or its text is longer than 255 characters. The key is opened with the
// Run key's rights; where those are refused, with the right to read only, so that a user without
// write rights still sees a value that is there.
std::string GetRegString(HKEY root, const std::string& keyPath, const std::string& valueName);

// Writes the autostart value: the loader's full path in the application folder. Returns 0, or
// the Windows error that kept it from being written.
LONG RegisterAutostart();

// Deletes the autostart value. Returns 0, or the Windows error that kept it from being deleted.
LONG UnregisterAutostart();

// Writes or deletes the autostart value below `root` at `keyPath`; the two above call these with
// HKEY_LOCAL_MACHINE and the Run key. `data` is the value's text.
LONG WriteAutostartValue(HKEY root, const std::string& keyPath, const std::string& data);
LONG DeleteAutostartValue(HKEY root, const std::string& keyPath);

// Ends the process that created `window`, with exit code 0. Failures are passed over.
void TerminateWindowProcess(HWND window);

}  // namespace config
