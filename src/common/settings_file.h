// The program-wide picture list and the settings file "Quilloria.dat" in the application folder.
#pragma once

#include <windows.h>

#include <string>

#include "common/file_system.h"
#include "common/picture_entry.h"

// The picture list of this program (slots 0..N). Empty (no slots at all) until a list has been
// read or created.
extern PictureSlots Pictures;

// The folder of the running program, ending in a backslash; computed afresh at each call. Empty
// when its name cannot be expressed in the ANSI code page, not even by its short form.
std::string AppFolder();

// AppFolder() followed by "Quilloria.dat".
std::string SettingsFilePath();

// Reads the settings file into Pictures. Returns false when there is no usable file; Pictures is
// then unchanged. A file with a wrong header is deleted; a truncated or unreadable one is kept.
bool LoadSettings();

// Writes slots 1..N of Pictures to the settings file, replacing the old file in one step so that
// a failed save never loses it; leftovers of unfinished writes go first (RemoveLeftoverFiles).
// Returns 0, or the Windows error that stopped the save (ERROR_NO_UNICODE_TRANSLATION when
// AppFolder cannot be named). `callersTurn`: the settings file's writer turn (WriterTurn of
// SettingsFilePath()) that the caller asked for already, held or not; without it the save asks
// for its own.
DWORD SaveSettings(const WriterTurn* callersTurn = nullptr);

// Deletes the leftovers of unfinished saves of the list in `folder` (ending in a backslash): the
// files a save writes beside it, last touched more than a minute ago.
// Call it only while holding the settings file's writer turn.
void RemoveLeftoverFiles(const std::string& folder);
