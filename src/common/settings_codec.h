// The text of the settings file "Quilloria.dat": encoding a picture list into its exact bytes and
// reading those bytes back. No file access here; settings_file.h does that.
#pragma once

#include <string>
#include <string_view>

#include "common/picture_entry.h"

inline constexpr std::string_view kSettingsHeader = "Version 1.1";

// Returns the file's bytes for slots 1..N of `pictures`: the quoted header line, the count line
// and one line per entry, each ended by CR LF.
std::string EncodeSettings(const PictureSlots& pictures);

enum class SettingsReadStatus {
    Ok,           // the whole list was read
    WrongHeader,  // the first field is not "Version 1.1": the file belongs to nobody, delete it
    Unusable,     // truncated, or a field that cannot be read as its type: keep the file, use nothing
};

struct SettingsReadResult {
    SettingsReadStatus status = SettingsReadStatus::Unusable;
    PictureSlots pictures;  // slots 0..N when status is Ok, else empty
};

// Reads a settings file's bytes. Fields are separated by commas or line ends (CR LF, CR or LF);
// blanks before a field are skipped; a quoted string runs to the next quote.
SettingsReadResult DecodeSettings(std::string_view bytes);
