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

// Where Windows 8 and later keep the startup switch of each Run value (Task Manager's and
// Settings' "Startup" on and off): a value of the same name below the same root. The switches of
// the machine-wide Run key's 32-bit view (WOW6432Node) are kept apart, in Run32. Both keys live in
// the registry's 64-bit view.
inline constexpr char kStartupSwitchKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr char kStartupSwitch32KeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";

// Returns the loader's full path in `appFolder`, a path in the code page of `lead`. A folder that
// already ends in a backslash (a drive root) gets no second one.
std::string LoaderPathIn(std::string_view appFolder, const LeadBytes& lead);

// Returns the data of the autostart value: the loader's full path in double quotes, so that
// Windows never takes a prefix of a path with spaces ("C:\My Tools\..." as "C:\My.exe") for the
// program to start.
std::string AutostartData(std::string_view appFolder, const LeadBytes& lead);

// True when the text of a Run value names the loader at `loaderPath`: in double quotes, or bare
// as earlier versions wrote it.
bool NamesLoader(std::string_view data, std::string_view loaderPath);

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

// Told when the user chose to end a running loader and it could not be ended (it runs with rights
// this program lacks); `reason` is the system's description. The autostart values are as "&OK" left
// them; the list is not saved and the window stays.
std::string LoaderNotEndedText(std::string_view reason);

// Told when "&OK" could not write the settings file at `path`; the window stays open. Says what to
// do when the folder is one the user may not write to.
std::string SaveFailedText(std::string_view path, std::string_view reason);

// Told at start when the program's folder cannot be named in the ANSI code page, not even by its
// short form, so that no list can be read or saved there. Says where to move the folder.
std::wstring FolderUnusableText(std::wstring_view folder);
