#include "common/picture_entry.h"

std::string EntryFileName(const PictureEntry& entry, const LeadBytes& lead) {
    if (entry.FolderLength <= 0) return entry.Path;
    return entry.Path.substr(BytesOfChars(entry.Path, entry.FolderLength, lead));
}
