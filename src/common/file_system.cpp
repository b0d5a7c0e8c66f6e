#include "common/file_system.h"

#include <algorithm>
#include <cstdint>

#include "common/ansi_text.h"
#include "common/scoped_win.h"

namespace {

// Creates the file the new bytes are written to, beside `path`. With the turn it is `path`.new,
// which clears a leftover of a killed save; without it, a name of this save alone, created only
// if no file has it, so that it never shares a file with another writer.
HANDLE CreateTemporary(const std::string& path, bool haveTurn, std::string& temporary) {
    if (haveTurn) {
        temporary = path + ".new";
        // A leftover of an interrupted save may carry attributes that would refuse the new file.
        SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        return CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    static LONG counter = 0;
    for (int attempt = 0;; ++attempt) {
        char suffix[48];
        wsprintfA(suffix, ".%lx-%lx-%lx.new", GetCurrentProcessId(), GetTickCount(),
                  static_cast<unsigned long>(InterlockedIncrement(&counter)));
        temporary = path + suffix;
        HANDLE file =
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || attempt == 7) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return file;
    }
}

}  // namespace

bool PlainFileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;

    std::optional<std::string> result;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        // GetLastError already tells why.
    } else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        SetLastError(ERROR_FILE_TOO_LARGE);
    } else {
        std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        bool ok = true;
        while (done < bytes.size()) {
            DWORD chunk = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
            if (!ReadFile(file.get(), bytes.data() + done, want, &chunk, nullptr) || chunk == 0) {
                ok = false;
                break;
            }
            done += chunk;
        }
        if (ok) result = std::move(bytes);
    }
    const DWORD error = GetLastError();
    file.Close();
    SetLastError(error);
    return result;
}

WriterTurn::WriterTurn(const std::string& path, DWORD waitMs) : askedAt_(GetTickCount64()) {
    mutex_.reset(CreateMutexA(nullptr, FALSE, WriterTurnName(path).c_str()));
    if (!mutex_) return;  // the name is taken by an object of another kind
    const DWORD wait = WaitForSingleObject(mutex_.get(), waitMs);
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

WriterTurn::~WriterTurn() {
    if (held_) ReleaseMutex(mutex_.get());
}

std::string WriterTurnName(const std::string& path) {
    // One name for every form of the folder's path (a program started by its short 8.3 path
    // takes the same turn as one started by the long path); the file itself may not exist yet.
    std::wstring wide = FromAnsi(path);
    const size_t slash = wide.find_last_of(L'\\');
    if (slash != std::wstring::npos) {
        const std::wstring folder = wide.substr(0, slash + 1);
        const DWORD length = GetLongPathNameW(folder.c_str(), nullptr, 0);
        std::wstring longFolder(length, L'\0');
        if (length > 0 && GetLongPathNameW(folder.c_str(), longFolder.data(), length) == length - 1) {
            longFolder.resize(length - 1);
            wide = longFolder + wide.substr(slash + 1);
        }
    }
    if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    uint64_t hash = 14695981039346656037ull;  // FNV-1a: paths are longer than a name may be
    for (wchar_t c : wide) {
        hash = (hash ^ (c & 0xFF)) * 1099511628211ull;
        hash = (hash ^ (static_cast<unsigned>(c) >> 8)) * 1099511628211ull;
    }
    char name[64];
    wsprintfA(name, "Local\\Quilloria.write.%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash));
    return name;
}

DWORD ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const WriterTurn turn(path, kSaveWaitMs);
    return ReplaceFileContents(path, bytes, turn);
}

DWORD ReplaceFileContents(const std::string& path, const std::string& bytes, const WriterTurn& turn) {
    std::string temporary;
    ScopedHandle file(CreateTemporary(path, turn.Held(), temporary));
    if (!file) return GetLastError();

    DWORD error = 0;
    size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!WriteFile(file.get(), bytes.data() + done, want, &written, nullptr)) error = GetLastError();
        done += written;
    }
    if (error == 0 && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.Close() && error == 0) error = GetLastError();

    // The move may wait for a reader only as long as the turn left of the save's time.
    const ULONGLONG waited = GetTickCount64() - turn.AskedAt();
    if (error == 0) error = MoveIntoPlace(temporary, path, waited < kSaveWaitMs ? kSaveWaitMs - waited : 0);
    if (error != 0) DeleteFileA(temporary.c_str());
    return error;
}

DWORD MoveIntoPlace(const std::string& temporary, const std::string& path, DWORD waitMs) {
    // Wine, unlike Windows, would replace a read-only file.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return ERROR_ACCESS_DENIED;
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || GetTickCount64() >= deadline) {
            return error;
        }
        Sleep(10);  // a reader has the target open; it closes it within milliseconds
    }
}

namespace {

// The full path of the running program's file as Windows names it; empty when it cannot tell.
std::wstring ProgramPathWide() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try again with more room
    }
}

}  // namespace

std::string ProgramPath() {
    const std::wstring path = ProgramPathWide();
    if (path.empty()) return std::string();
    return AnsiPath(path).value_or(std::string());
}

std::wstring ProgramFolderWide() {
    std::wstring path = ProgramPathWide();
    // UTF-16 has no trail unit that reads as a backslash.
    path.resize(path.rfind(L'\\') + 1);
    return path;
}

std::string ProgramFolder() {
    const std::wstring folder = ProgramFolderWide();
    if (folder.empty()) return std::string();
    const std::optional<std::string> ansi = AnsiPath(folder);
    return ansi ? FolderWithBackslash(*ansi, AnsiLeadBytes()) : std::string();
}

DWORD ReadFileHead(const std::string& path, size_t maxBytes, std::vector<uint8_t>& head,
                   unsigned long long& fileSize) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    DWORD error = 0;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        error = GetLastError();
    } else {
        fileSize = static_cast<unsigned long long>(size.QuadPart);
        head.resize(static_cast<size_t>(std::min<unsigned long long>(fileSize, maxBytes)));
        DWORD read = 0;
        if (!head.empty() && !ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr)) {
            error = GetLastError();
        }
        head.resize(read);
    }
    file.Close();
    if (error == 0 && (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)) error = ERROR_ACCESS_DENIED;
    return error;
}
