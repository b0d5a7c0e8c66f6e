#include "common/picture_list.h"

#include <algorithm>
#include <utility>

void RotatePictures(PictureSlots& pictures) {
    if (PictureCount(pictures) < 2) return;
    std::rotate(pictures.begin() + 1, pictures.begin() + 2, pictures.end());
}

namespace {

// True when `slot` names a picture of the list (1..N).
bool IsPictureSlot(const PictureSlots& pictures, int slot) { return slot >= 1 && slot <= PictureCount(pictures); }

// Exchanges slot `first` with the slot after it, when both hold pictures.
void SwapWithFollowing(PictureSlots& pictures, int first) {
    if (first < 1 || first >= PictureCount(pictures)) return;
    const auto index = static_cast<size_t>(first);
    std::swap(pictures[index], pictures[index + 1]);
}

}  // namespace

void DeleteEntry(PictureSlots& pictures, int slot) {
    if (!IsPictureSlot(pictures, slot)) return;
    pictures.erase(pictures.begin() + slot);
}

int RowAfterRemoval(int removed, int rowsLeft) { return std::max(-1, std::min(removed, rowsLeft - 1)); }

// Row p is slot p + 1: moving row p up exchanges slots p and p + 1, moving it down slots p + 1
// and p + 2. The range checks come first so that no sum can overflow.
void SwapWithPrevious(PictureSlots& pictures, int position) { SwapWithFollowing(pictures, position); }

void SwapWithNext(PictureSlots& pictures, int position) {
    if (position < 0 || position >= PictureCount(pictures)) return;
    SwapWithFollowing(pictures, position + 1);
}

bool AppendPicture(PictureSlots& pictures, int16_t folderLength, std::string path) {
    if (PictureCount(pictures) >= kMaxPictures) return false;
    if (pictures.empty()) pictures.emplace_back();  // slot 0 of a list that had none
    PictureEntry& entry = pictures.emplace_back();
    entry.FolderLength = folderLength;
    entry.Path = std::move(path);
    return true;
}
