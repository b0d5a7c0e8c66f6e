// Numbers that tell the entries of the picture list apart while the configuration window works on
// them: the same file may be listed twice, and clicks handled while a picture loads may move or
// remove rows, so neither a row nor a path says which entry is meant. The numbers live only in
// the window; the settings file never sees them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/picture_entry.h"

class EntryIds {
public:
    // Returns the number of slot `slot` (0..N) of `slots`. Slots added at the end since the last
    // look get new numbers; a number is never given twice.
    uint32_t Of(const PictureSlots& slots, int slot);
    // Returns the slot that holds the entry numbered `id`, or -1 when it has been removed.
    int SlotOf(const PictureSlots& slots, uint32_t id);

    // Tell of each edit of the list other than adding at its end, as it is made:
    void Deleted(int slot);            // slot `slot` removed, those after it moved up
    void Swapped(int slot, int other);  // two slots exchanged their entries
    void Cleared();                    // every entry removed

private:
    void Follow(const PictureSlots& slots);

    std::vector<uint32_t> ids_;
    uint32_t last_ = 0;
};
