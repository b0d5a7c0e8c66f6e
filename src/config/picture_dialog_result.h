// Files picked in the open-file dialog of "&Add..." or dropped on the window, read without any
// window: which files they are, which of them are accepted as pictures, how each is named in the
// ANSI code page of the list, and how they join the picture list.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/path_text.h"
#include "common/picture_entry.h"

// True when the last three characters of `name`, in any letter case, are bmp, gif or jpg.
// Only the name is looked at: "photo.jpeg" is refused, "LOGO.GIF" and even "xjpg" are accepted.
bool IsAcceptedPictureName(std::string_view name);
// The same rule for a name as Windows gives it.
bool IsAcceptedPictureName(std::wstring_view name);

// Reads the wide file buffer of the open-file dialog: NUL-terminated strings ended by an empty
// one. A single string is the full path of one file; several are a folder followed by file names.
// Returns the full paths in the dialog's order; none for an empty buffer. The buffer is never read
// past its end.
std::vector<std::wstring> ParsePictureDialogResult(std::wstring_view buffer);

// What becomes of one picked file.
enum class PickVerdict {
    Accepted,       // joins the list
    InvalidName,    // its name does not end in bmp, gif or jpg
    Unexpressible,  // the ANSI code page can express neither its name nor a short form of it
};

struct PickedFile {
    std::wstring Name;         // the bare file name, as the user picked it and a message shows it
    PickVerdict Verdict = PickVerdict::InvalidName;
    int16_t FolderLength = 0;  // accepted files: leading characters of Path that form its folder
    std::string Path;          // accepted files: the path in the ANSI code page

    bool operator==(const PickedFile&) const = default;
};

// Gives the ANSI path that a file's full path is stored by, or nothing when it has none.
using AnsiPathFunction = std::function<std::optional<std::string>(const std::wstring& path)>;

// Judges the files at `paths` in order: by name first, then by the ANSI path `toAnsi` gives,
// whose folder length is counted in characters of the code page of `lead`.
std::vector<PickedFile> JudgePickedFiles(const std::vector<std::wstring>& paths, const AnsiPathFunction& toAnsi,
                                         const LeadBytes& lead);

// Appends the accepted files to `pictures` in order, each shown centred, until the list holds
// kMaxPictures pictures. Returns how many accepted files did not fit; refused files are not counted.
int AppendPickedPictures(PictureSlots& pictures, const std::vector<PickedFile>& files);

// The message for each refused file, in order: one per file.
std::vector<std::wstring> RefusalMessages(const std::vector<PickedFile>& files);
