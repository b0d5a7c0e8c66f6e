// Small text helpers shared by both programs.
#pragma once

#include <string>
#include <string_view>

// Returns the text with line breaks and surrounding blanks folded into one line, for system
// error descriptions that end in CR LF or span lines.
std::string OneLine(std::string_view text);
