// What the open-file dialog of "&Add..." returned, read without the dialog itself: which files were
// picked, which of them are accepted as pictures, and how they join the picture list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/picture_entry.h"

// One file picked in the dialog.
struct PickedFile {
    std::string Name;          // the bare file name, as a rejection message shows it
    bool Accepted = false;     // the name ends in bmp, gif or jpg
    int16_t FolderLength = 0;  // accepted files only: leading characters of Path that form the folder
    std::string Path;          // accepted files only: the full path

    bool operator==(const PickedFile&) const = default;
};

// Reads the dialog's file buffer: NUL-terminated strings ended by an empty one. A single string is
// the full path of one file, whose name starts at `fileOffset` and whose bare name is `fileTitle`
// (up to its first NUL); several strings are a folder followed by file names. Returns the files in
// the dialog's order; none for an empty buffer. The buffer is never read past its end, and an
// offset that does not fall inside the path is replaced by the position after its last backslash.
std::vector<PickedFile> ParsePictureDialogResult(std::string_view buffer, int fileOffset, std::string_view fileTitle);

// Appends the accepted files to `pictures` in order, each shown centred, until the list holds
// kMaxPictures pictures. Returns how many accepted files did not fit; refused files are not counted.
int AppendPickedPictures(PictureSlots& pictures, const std::vector<PickedFile>& files);

// The names of the refused files in the dialog's order, one rejection message each.
std::vector<std::string> RejectedPictureNames(const std::vector<PickedFile>& files);
