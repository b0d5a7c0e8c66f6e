#include "common/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "common/file_system.h"
#include "common/leftover_files.h"
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

DWORD SaveSettings(const WriterTurn* callersTurn) {
    const std::string folder = AppFolder();
    // Never a file of that name in the current folder instead.
    if (folder.empty()) return ERROR_NO_UNICODE_TRANSLATION;
    const std::string path = folder + kSettingsFileName;
    // While the turn is held no other save of ours is half way, so what the sweep takes is no
    // one's work in progress.
    std::optional<WriterTurn> ownTurn;
    if (!callersTurn) ownTurn.emplace(path, kSaveWaitMs);
    const WriterTurn& turn = callersTurn ? *callersTurn : *ownTurn;
    if (turn.Held()) RemoveLeftoverFiles(folder);
    return ReplaceFileContents(path, EncodeSettings(Pictures), turn);
}

void RemoveLeftoverFiles(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileExA((folder + kLeftoverPattern).c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    auto value = [](const FILETIME& t) { return uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime; };
    const uint64_t now = value(nowTime);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (!IsLeftoverName(found.cFileName)) continue;  // matched by its short name only
        // A file being written may show an older time than its last write; its writer opened it
        // without sharing it for deletion, so Windows refuses to delete it anyway.
        const uint64_t touched = std::max(value(found.ftCreationTime), value(found.ftLastWriteTime));
        if (!IsOldEnoughToRemove(touched, now)) continue;
        const std::string path = folder + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only leftover as well
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
