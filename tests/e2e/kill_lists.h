// The lists that SaveLoop.exe saves one after another, numbered, so that whoever reads the settings
// file afterwards knows which list it holds and which bytes that list must have. Their sizes vary
// from one picture to a few thousand.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "common/picture_entry.h"
#include "common/settings_codec.h"

namespace kill_lists {

inline PictureSlots List(char family, int index) {
    PictureSlots slots = EmptyPictureList();
    const std::string folder = std::string("C:\\Lists ") + family + "\\" + std::to_string(index) + "\\";
    const int count = 1 + static_cast<int>((static_cast<unsigned>(index) * 2654435761u) % 3000);
    for (int k = 0; k < count; ++k) {
        slots.push_back({static_cast<int16_t>(folder.size()), folder + "picture, " + std::to_string(k) + ".jpg",
                         static_cast<int16_t>(k % 2), k % 3 == 0});
    }
    return slots;
}

// Which list a settings file holds: its family and number, when the file is exactly that list's
// bytes; nothing for any other content.
struct Found {
    char family;
    int index;
};
inline std::optional<Found> Identify(const std::string& bytes) {
    const SettingsReadResult read = DecodeSettings(bytes);
    if (read.status != SettingsReadStatus::Ok || PictureCount(read.pictures) < 1) return std::nullopt;
    const std::string& path = read.pictures[1].Path;
    if (path.rfind("C:\\Lists ", 0) != 0 || path.size() < 12) return std::nullopt;
    const Found found{path[9], std::atoi(path.c_str() + 11)};
    if (EncodeSettings(List(found.family, found.index)) != bytes) return std::nullopt;
    return found;
}

}  // namespace kill_lists
