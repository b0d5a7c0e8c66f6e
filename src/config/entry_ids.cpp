#include "config/entry_ids.h"

#include <algorithm>
#include <utility>

void EntryIds::Follow(const PictureSlots& slots) {
    // More numbers than slots means the list was replaced without a word: no old number may
    // name one of its entries.
    if (ids_.size() > slots.size()) ids_.clear();
    while (ids_.size() < slots.size()) ids_.push_back(++last_);
}

uint32_t EntryIds::Of(const PictureSlots& slots, int slot) {
    Follow(slots);
    return slot >= 0 && static_cast<size_t>(slot) < ids_.size() ? ids_[static_cast<size_t>(slot)] : 0;
}

int EntryIds::SlotOf(const PictureSlots& slots, uint32_t id) {
    Follow(slots);
    const auto found = std::find(ids_.begin(), ids_.end(), id);
    return id != 0 && found != ids_.end() ? static_cast<int>(found - ids_.begin()) : -1;
}

void EntryIds::Deleted(int slot) {
    if (slot >= 1 && static_cast<size_t>(slot) < ids_.size()) ids_.erase(ids_.begin() + slot);
}

void EntryIds::Swapped(int slot, int other) {
    if (slot < 0 || other < 0) return;
    // A slot added since the last look has no number yet; a new one is as good as any.
    while (ids_.size() <= static_cast<size_t>(std::max(slot, other))) ids_.push_back(++last_);
    std::swap(ids_[static_cast<size_t>(slot)], ids_[static_cast<size_t>(other)]);
}

void EntryIds::Cleared() { ids_.clear(); }
