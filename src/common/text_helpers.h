// Small text helpers shared by both programs.
#pragma once

#include <string>
#include <string_view>

// Returns `folder` ending in a backslash: "C:\App" gives "C:\App\"; a folder that already ends in
// one (a drive root) gets no second one. Only appends: the folder of a file path is what comes
// before its last backslash (FindLastChar).
std::string FolderWithBackslash(std::string_view folder);

// Returns the 1-based position of the last `c` in `text`, 0 when there is none.
int FindLastChar(std::string_view text, char c);

// Returns the part of a path after its last backslash; the whole path when there is none.
std::string GetFileName(std::string_view path);

// Returns the text with line breaks and surrounding blanks folded into one line, for system
// error descriptions that end in CR LF or span lines.
std::string OneLine(std::string_view text);
