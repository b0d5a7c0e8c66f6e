// File operations of the Win32 layer, all in the ANSI code page.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// True when `path` names a plain file: it exists, is no folder, and is neither hidden nor a
// system file (those are invisible to the program, as in a plain directory listing).
bool PlainFileExists(const std::string& path);

// Returns the whole content of a file, or nothing (GetLastError tells why). Files larger than
// `maxBytes` are refused with ERROR_FILE_TOO_LARGE.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

// Replaces `path` with `bytes` in one step: the bytes go to a file beside it, which is flushed
// and then moved over the old one. On failure the old file is untouched and the error is
// returned; 0 on success.
DWORD ReplaceFileContents(const std::string& path, const std::string& bytes);

// The folder of the running program, ending in a backslash.
std::string ProgramFolder();
