// Messages about the picture list: refused and unloadable pictures, a full list, and a selection
// too large for the open-file dialog. All are shown with the title kErrorCaption. The texts that
// name a picked file are wide: its name may hold characters the ANSI code page has not.
#pragma once

#include <string>
#include <string_view>

// Told for each picked file whose name does not end in bmp, gif or jpg; `name` is the bare file name.
std::wstring InvalidPictureText(std::wstring_view name);

// Told for each picked picture whose name the ANSI code page cannot express, when the drive gives
// it no short name either; `name` is the bare file name.
std::wstring UnexpressibleNameText(std::wstring_view name);

// Told when the picture of a list row cannot be loaded; `rowText` is the row as shown and
// `description` says why the load failed (it gets a "!" appended, so give it without a full stop).
std::string PictureLoadFailedText(std::string_view rowText, std::string_view description);

// Told when `notAdded` accepted files did not fit because the list is full.
std::string ListFullText(int notAdded);

// Told when the names picked in the open-file dialog do not fit into its buffer.
std::string SelectionTooLargeText();
