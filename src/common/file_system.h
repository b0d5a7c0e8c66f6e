// File operations of the Win32 layer, all in the ANSI code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/scoped_win.h"

// True when `path` names a plain file: it exists, is no folder, and is neither hidden nor a
// system file (those are invisible to the program, as in a plain directory listing).
bool PlainFileExists(const std::string& path);

// Returns the whole content of a file, or nothing (GetLastError tells why). Files larger than
// `maxBytes` are refused with ERROR_FILE_TOO_LARGE.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

// Reads at most `maxBytes` from the beginning of a file into `head` and its length into
// `fileSize`. A folder is refused with ERROR_ACCESS_DENIED. Returns 0 or the Windows error.
DWORD ReadFileHead(const std::string& path, size_t maxBytes, std::vector<uint8_t>& head,
                   unsigned long long& fileSize);

// How long a save may wait in all: for another writer of the same file to finish, and for a
// reader to close the target before the move. A save takes milliseconds; the loader has a few
// seconds at shutdown and shares them with the conversion of a picture.
inline constexpr DWORD kSaveWaitMs = 500;

// One writer of a file at a time, across processes: a named mutex per path (lower case, as paths
// are), taken for the life of the holder. A writer killed while it holds the mutex leaves it
// abandoned, and the next one takes it. The same thread may take it again inside (a save within a
// longer turn). The name is open to every program of the session, so a turn that does not come in
// time is not a reason to give up: the caller goes ahead without it.
class WriterTurn {
public:
    WriterTurn(const std::string& path, DWORD waitMs);
    ~WriterTurn();
    WriterTurn(const WriterTurn&) = delete;
    WriterTurn& operator=(const WriterTurn&) = delete;

    bool Held() const { return held_; }
    ULONGLONG AskedAt() const { return askedAt_; }  // GetTickCount64 when the turn was asked for

private:
    ULONGLONG askedAt_;
    ScopedHandle mutex_;
    bool held_ = false;
};

// Replaces `path` with `bytes` in one step: the bytes go to a file beside it, which is flushed
// and then moved over the old one. Writers of one path, in any process, take turns, so two saves
// at once leave one whole file. A turn that does not come within kSaveWaitMs (a writer that is
// stuck, or another program holding the turn's name) does not stop the save: it then writes a
// file beside the target that no other writer uses, and moves it over the target all the same.
// On failure the old file is untouched, no file is left beside it, and the error is returned; 0
// on success.
DWORD ReplaceFileContents(const std::string& path, const std::string& bytes);
// The same within `turn`, which the caller asked for already (held or not): the save takes no
// other, and its time counts from when that one was asked for.
DWORD ReplaceFileContents(const std::string& path, const std::string& bytes, const WriterTurn& turn);

// The name of the turn that writers of `path` take, the same in every process of the session.
std::string WriterTurnName(const std::string& path);

// Moves the finished file `temporary` over `path` in one step, written through to the disk.
// A read-only `path` is refused with ERROR_ACCESS_DENIED, as Windows refuses to replace it; a
// `path` that a reader holds open for a moment is tried again for up to `waitMs`. Returns 0 or
// the Windows error; on failure `temporary` is left for the caller.
DWORD MoveIntoPlace(const std::string& temporary, const std::string& path, DWORD waitMs = kSaveWaitMs);

// The full path of the running program's file in the ANSI code page (by its short form where
// needed); empty when Windows cannot tell it or it cannot be expressed.
std::string ProgramPath();

// The folder of the running program as Windows names it, ending in a backslash.
std::wstring ProgramFolderWide();

// The folder of the running program in the ANSI code page, ending in a backslash: by its short
// (8.3) form when its name holds characters the code page cannot express. Empty when neither
// form can be expressed: no file of the program may then be named by an ANSI path.
std::string ProgramFolder();
