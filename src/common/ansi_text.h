// Text between Windows' wide (UTF-16) names and the ANSI code page in which the programs keep
// their paths, files and registry values.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/path_text.h"

// The lead bytes of the system's ANSI code page, read once.
const LeadBytes& AnsiLeadBytes();

// Returns `text` in the ANSI code page when every character has its own form there; nothing when
// one would become a look-alike (best fit) or the default character "?".
std::optional<std::string> ToAnsiExactly(std::wstring_view text);

// Returns ANSI text as wide text.
std::wstring FromAnsi(std::string_view text);

// Returns the path of an existing file or folder in the ANSI code page: as it is when the code
// page expresses it, else its short (8.3) form, which opens the same file; nothing when the volume
// has no short form that the code page expresses.
std::optional<std::string> AnsiPath(const std::wstring& path);
