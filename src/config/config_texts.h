// Names and texts of the configuration program: the loader's autostart value and the messages the
// user sees. No <windows.h> here, so that the texts are tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/path_text.h"
#include "common/shared_names.h"

// The application title of this program: the text of its hidden application window.
inline constexpr char kConfigTitle[] = "Quilloria";
inline constexpr char kMainCaption[] = "Quilloria Configuration";

// The autostart value that starts the loader at logon: in the Run key below HKEY_LOCAL_MACHINE for
// every user of the machine, or below HKEY_CURRENT_USER for the current user alone.
inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutostartValueName[] = "Quilloria Loader";
inline constexpr char kLoaderFileName[] = "QLLoader.exe";

// Returns the data of the autostart value: the loader's full path in `appFolder`, a path in the
// code page of `lead`. A folder that already ends in a backslash (a drive root) gets no second one.
std::string AutostartData(std::string_view appFolder, const LeadBytes& lead);

// The longest autostart text that is read back; anything longer counts as no value.
inline constexpr size_t kMaxAutostartText = 255;

// Title of every error message box of the configuration program.
inline constexpr char kErrorCaption[] = "Error:";
// Title of the question asked when autostart is switched off while a loader runs.
inline constexpr char kImportantCaption[] = "Quilloria - Important:";

// The question asked by "&OK" when autostart is off and a loader is still running.
std::string LoaderStillActiveText();

// Told when "&OK" could not switch the autostart value on (`switchingOn`) or off; `reason` is the
// system's description of the failure. Switching on, it adds that the list is saved all the same.
std::string AutostartFailedText(bool switchingOn, std::string_view reason);

// Told when "&OK" could not write the settings file at `path`; the window stays open. Says what to
// do when the folder is one the user may not write to.
std::string SaveFailedText(std::string_view path, std::string_view reason);

// Told at start when the program's folder cannot be named in the ANSI code page, not even by its
// short form, so that no list can be read or saved there. Says where to move the folder.
std::wstring FolderUnusableText(std::wstring_view folder);
