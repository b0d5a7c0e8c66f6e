// One picture of the wallpaper list, and the list itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/path_text.h"

struct PictureEntry {
    int16_t FolderLength = 0;  // leading characters (not bytes) of Path that form its folder, backslash included
    std::string Path;          // full path of the picture file, ANSI code page
    int16_t Tile = 0;          // 1 tiled, 0 not tiled
    bool Stretch = false;      // stretched over the screen; only when Tile is 0

    bool operator==(const PictureEntry&) const = default;
};

// The list as slots 0..N. Slot 0 is never used and stays empty; the pictures are slots 1..N.
// A vector with no slots at all means "no list yet" (the configuration program before its list
// has been read or created); a vector holding only slot 0 is the empty list.
using PictureSlots = std::vector<PictureEntry>;

// The most pictures a list can hold: the count is stored as a 16-bit signed number.
constexpr int kMaxPictures = 32767;

// N, the number of pictures: the upper bound of the slots, 0 for an empty or absent list.
inline int PictureCount(const PictureSlots& slots) {
    return slots.empty() ? 0 : static_cast<int>(slots.size()) - 1;
}

// The empty list: slot 0 only.
inline PictureSlots EmptyPictureList() { return PictureSlots(1); }

// The file name an entry shows in the list: Path after its first FolderLength characters, read
// with the lead bytes of the code page the path is in.
std::string EntryFileName(const PictureEntry& entry, const LeadBytes& lead);
