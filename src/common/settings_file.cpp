#include "common/settings_file.h"

#include "common/file_system.h"
#include "common/settings_codec.h"
#include "common/shared_names.h"

PictureSlots Pictures;

namespace {
// Far above the largest list that can be written (32767 entries of the longest paths).
constexpr size_t kMaxSettingsBytes = 64u * 1024 * 1024;
}

std::string AppFolder() { return ProgramFolder(); }

std::string SettingsFilePath() { return AppFolder() + kSettingsFileName; }

bool LoadSettings() {
    const std::string folder = AppFolder();
    if (folder.empty()) return false;  // a folder the ANSI code page cannot name has no usable file
    const std::string path = folder + kSettingsFileName;
    if (!PlainFileExists(path)) return false;

    const std::optional<std::string> bytes = ReadWholeFile(path, kMaxSettingsBytes);
    if (!bytes) return false;

    SettingsReadResult read = DecodeSettings(*bytes);
    switch (read.status) {
        case SettingsReadStatus::Ok:
            Pictures = std::move(read.pictures);
            return true;
        case SettingsReadStatus::WrongHeader:
            DeleteFileA(path.c_str());
            return false;
        case SettingsReadStatus::Unusable:
            break;
    }
    return false;
}

DWORD SaveSettings() {
    const std::string folder = AppFolder();
    // Never a file of that name in the current folder instead.
    if (folder.empty()) return ERROR_NO_UNICODE_TRANSLATION;
    return ReplaceFileContents(folder + kSettingsFileName, EncodeSettings(Pictures));
}
