// The message boxes of the configuration program.
#pragma once

#include <windows.h>

#include <string>

namespace config {

// Shows an "Error:" message box (critical-stop icon, OK button) owned by `owner`. Every error the
// configuration program tells the user goes through here.
void ShowErrorMessage(HWND owner, const std::string& text);
// The same for a text that names files or folders the ANSI code page cannot express.
void ShowErrorMessage(HWND owner, const std::wstring& text);

// Asks the user with a "Quilloria - Important:" box (question-mark icon, Yes, No and Cancel).
// Returns IDYES, IDNO or IDCANCEL.
int AskImportantQuestion(HWND owner, const std::string& text);

}  // namespace config
