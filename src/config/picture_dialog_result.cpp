#include "config/picture_dialog_result.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/picture_list.h"
#include "common/path_text.h"

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The strings of the buffer up to the empty one that ends the series. The end of the buffer ends
// the last string and the series, so a buffer without its closing NULs is still read safely.
std::vector<std::string_view> SplitAtNuls(std::string_view buffer) {
    std::vector<std::string_view> parts;
    while (!buffer.empty()) {
        const size_t end = std::min(buffer.find('\0'), buffer.size());
        if (end == 0) break;  // the empty string
        parts.push_back(buffer.substr(0, end));
        buffer.remove_prefix(std::min(end + 1, buffer.size()));
    }
    return parts;
}

// A folder length as stored in an entry. Windows paths are shorter than 32767 characters, so the
// limit only guards against a damaged buffer.
int16_t ToFolderLength(size_t length) {
    return static_cast<int16_t>(std::min<size_t>(length, std::numeric_limits<int16_t>::max()));
}

PickedFile Picked(std::string_view name, size_t folderLength, std::string_view path) {
    PickedFile file;
    file.Name = std::string(name);
    file.Accepted = IsAcceptedPictureName(name);
    if (file.Accepted) {
        file.FolderLength = ToFolderLength(folderLength);
        file.Path = std::string(path);
    }
    return file;
}

}  // namespace

bool IsAcceptedPictureName(std::string_view name) {
    if (name.size() < 3) return false;
    std::string ending(name.substr(name.size() - 3));
    std::transform(ending.begin(), ending.end(), ending.begin(), LowerAscii);
    return ending == "bmp" || ending == "gif" || ending == "jpg";
}

std::vector<PickedFile> ParsePictureDialogResult(std::string_view buffer, int fileOffset, std::string_view fileTitle) {
    const std::vector<std::string_view> parts = SplitAtNuls(buffer);
    std::vector<PickedFile> files;
    if (parts.empty()) return files;

    if (parts.size() == 1) {
        const std::string_view path = parts[0];
        size_t folderLength = FolderPartBytes(path, LeadBytes());
        if (fileOffset >= 0 && static_cast<size_t>(fileOffset) <= path.size())
            folderLength = static_cast<size_t>(fileOffset);
        std::string_view name = fileTitle.substr(0, std::min(fileTitle.find('\0'), fileTitle.size()));
        if (name.empty()) name = path.substr(folderLength);
        files.push_back(Picked(name, folderLength, path));
        return files;
    }

    const std::string folder = FolderWithBackslash(parts[0], LeadBytes());
    for (size_t i = 1; i < parts.size(); ++i) {
        files.push_back(Picked(parts[i], folder.size(), folder + std::string(parts[i])));
    }
    return files;
}

int AppendPickedPictures(PictureSlots& pictures, const std::vector<PickedFile>& files) {
    int notAdded = 0;
    for (const PickedFile& file : files) {
        if (file.Accepted && !AppendPicture(pictures, file.FolderLength, file.Path)) ++notAdded;
    }
    return notAdded;
}

std::vector<std::string> RejectedPictureNames(const std::vector<PickedFile>& files) {
    std::vector<std::string> names;
    for (const PickedFile& file : files) {
        if (!file.Accepted) names.push_back(file.Name);
    }
    return names;
}
