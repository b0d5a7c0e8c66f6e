#include "common/picture_entry.h"

std::string EntryFileName(const PictureEntry& entry) {
    if (entry.FolderLength <= 0) return entry.Path;
    const auto skip = static_cast<size_t>(entry.FolderLength);
    return skip >= entry.Path.size() ? std::string() : entry.Path.substr(skip);
}
