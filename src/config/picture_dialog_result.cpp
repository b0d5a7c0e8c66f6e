#include "config/picture_dialog_result.h"

#include <algorithm>
#include <limits>

#include "common/picture_list.h"
#include "common/picture_name.h"
#include "config/list_texts.h"

namespace {

// The strings of the buffer up to the empty one that ends the series. The end of the buffer ends
// the last string and the series, so a buffer without its closing NULs is still read safely.
std::vector<std::wstring_view> SplitAtNuls(std::wstring_view buffer) {
    std::vector<std::wstring_view> parts;
    while (!buffer.empty()) {
        const size_t end = std::min(buffer.find(L'\0'), buffer.size());
        if (end == 0) break;  // the empty string
        parts.push_back(buffer.substr(0, end));
        buffer.remove_prefix(std::min(end + 1, buffer.size()));
    }
    return parts;
}

// The part of a wide path after its last backslash.
std::wstring_view WideFileName(std::wstring_view path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

// The folder length of an entry: the characters of its folder part. Windows paths are shorter than 32767 characters, so the
// limit only guards against a damaged path.
int16_t FolderLengthOf(std::string_view path, const LeadBytes& lead) {
    const int chars = CharCount(path.substr(0, FolderPartBytes(path, lead)), lead);
    return static_cast<int16_t>(std::min(chars, static_cast<int>(std::numeric_limits<int16_t>::max())));
}

}  // namespace

bool IsAcceptedPictureName(std::string_view name) { return PictureKindOfName(name) != PictureNameKind::None; }

bool IsAcceptedPictureName(std::wstring_view name) {
    const size_t n = name.size();
    if (n < 3) return false;
    return PictureKindOfEnding(name[n - 3], name[n - 2], name[n - 1]) != PictureNameKind::None;
}

std::vector<std::wstring> ParsePictureDialogResult(std::wstring_view buffer) {
    const std::vector<std::wstring_view> parts = SplitAtNuls(buffer);
    std::vector<std::wstring> paths;
    if (parts.size() == 1) paths.emplace_back(parts[0]);
    if (parts.size() <= 1) return paths;

    // UTF-16 has no unit that is half of a character and reads as a backslash.
    std::wstring folder(parts[0]);
    if (folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + std::wstring(parts[i]));
    return paths;
}

std::vector<PickedFile> JudgePickedFiles(const std::vector<std::wstring>& paths, const AnsiPathFunction& toAnsi,
                                         const LeadBytes& lead) {
    std::vector<PickedFile> files;
    for (const std::wstring& path : paths) {
        PickedFile file;
        file.Name = std::wstring(WideFileName(path));
        if (IsAcceptedPictureName(file.Name)) {
            if (std::optional<std::string> ansi = toAnsi(path)) {
                file.Verdict = PickVerdict::Accepted;
                file.FolderLength = FolderLengthOf(*ansi, lead);
                file.Path = std::move(*ansi);
            } else {
                file.Verdict = PickVerdict::Unexpressible;
            }
        }
        files.push_back(std::move(file));
    }
    return files;
}

int AppendPickedPictures(PictureSlots& pictures, const std::vector<PickedFile>& files) {
    int notAdded = 0;
    for (const PickedFile& file : files) {
        if (file.Verdict == PickVerdict::Accepted && !AppendPicture(pictures, file.FolderLength, file.Path)) ++notAdded;
    }
    return notAdded;
}

std::vector<std::wstring> RefusalMessages(const std::vector<PickedFile>& files) {
    std::vector<std::wstring> messages;
    for (const PickedFile& file : files) {
        if (file.Verdict == PickVerdict::InvalidName) messages.push_back(InvalidPictureText(file.Name));
        if (file.Verdict == PickVerdict::Unexpressible) messages.push_back(UnexpressibleNameText(file.Name));
    }
    return messages;
}
