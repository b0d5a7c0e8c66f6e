// Operations on the slots of a picture list that both programs share.
#pragma once

#include <cstdint>
#include <string>

#include "common/picture_entry.h"

// Moves entry 1 to the end and entries 2..N up by one place. Lists of 0 or 1 pictures stay as
// they are.
void RotatePictures(PictureSlots& pictures);

// Removes the picture in `slot` (1..N); the pictures after it move up by one place and keep their
// order. Removing the only picture leaves the empty list (slot 0 only). A list without pictures, or
// a slot outside 1..N, is left as it is.
void DeleteEntry(PictureSlots& pictures, int slot);

// The list row to select after row `removed` was taken out of a list that now has `rowsLeft`
// rows: the row that followed it, which now stands in its place, else the new last row; -1 when
// no row is left.
int RowAfterRemoval(int removed, int rowsLeft);

// Exchanges the picture of list row `position` with the one in the row above it (slots position
// and position + 1). Does nothing for the first row or a row that does not exist.
void SwapWithPrevious(PictureSlots& pictures, int position);

// Exchanges the picture of list row `position` with the one in the row below it (slots
// position + 1 and position + 2). Does nothing for the last row or a row that does not exist.
void SwapWithNext(PictureSlots& pictures, int position);

// Appends a picture shown centred (Tile 0, Stretch false) with the given folder length and path.
// A list without slots becomes slots 0 and 1. Returns false, and leaves the list alone, when it
// already holds kMaxPictures pictures.
bool AppendPicture(PictureSlots& pictures, int16_t folderLength, std::string path);
