// Time from starting Quilloria.exe to its filled picture list, for a list of 32767 pictures, an
// empty start, and a bare window program, measured in one run. Copies the programs built beside
// it into a temporary folder.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "bench_timer.h"
#include "common/file_system.h"
#include "common/settings_codec.h"

namespace {

constexpr int kRuns = 5;
constexpr int kListControlId = 1001;  // lPix

struct Search {
    DWORD processId;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[256] = {};
    if (owner == search->processId && IsWindowVisible(window) && GetWindowTextA(window, text, sizeof(text)) &&
        lstrcmpA(text, search->title) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts `program`, waits until `ready` holds for its window titled `title`, returns milliseconds.
double TimeStart(const std::string& program, const char* title, const std::function<bool(HWND)>& ready) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + program + "\"";
    const Stopwatch watch;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    double elapsed = -1;
    while (watch.Milliseconds() < 30000) {
        Search search{process.dwProcessId, title, nullptr};
        EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found && ready(search.found)) {
            elapsed = watch.Milliseconds();
            break;
        }
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return elapsed;
}

void Report(const char* what, const std::function<double()>& run) {
    std::vector<double> samples;
    for (int i = 0; i < kRuns; ++i) samples.push_back(run());
    const Timings t = Summarize(samples);
    std::printf("%-48s median %7.1f ms  best %7.1f ms\n", what, t.median, t.best);
}

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ql-config-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string built = ProgramFolder();
    CopyFileA((built + "Quilloria.exe").c_str(), (folder + "Quilloria.exe").c_str(), FALSE);
    CopyFileA((built + "bare_window.exe").c_str(), (folder + "bare_window.exe").c_str(), FALSE);

    PictureSlots pictures = EmptyPictureList();
    for (int i = 1; i <= kMaxPictures; ++i) {
        const std::string name = "picture " + std::to_string(i) + ".jpg";
        pictures.push_back({static_cast<int16_t>(19), "C:\\Users\\Me\\Photos\\" + name, 0, false});
    }
    const std::string bytes = EncodeSettings(pictures);
    const std::string settings = folder + "Quilloria.dat";

    Report("bare window program, window shown", [&] {
        return TimeStart(folder + "bare_window.exe", "Bare Window", [](HWND) { return true; });
    });
    DeleteFileA(settings.c_str());
    Report("Quilloria.exe, no list, frames shown", [&] {
        return TimeStart(folder + "Quilloria.exe", "Quilloria Configuration",
                         [](HWND w) { return IsWindowVisible(GetDlgItem(w, 1000)) != FALSE; });
    });
    ReplaceFileContents(settings, bytes);
    std::printf("settings file: %d pictures, %zu bytes\n", kMaxPictures, bytes.size());
    Report("Quilloria.exe, 32767 pictures, window shown", [&] {
        return TimeStart(folder + "Quilloria.exe", "Quilloria Configuration", [](HWND) { return true; });
    });
    Report("Quilloria.exe, 32767 pictures, list filled", [&] {
        return TimeStart(folder + "Quilloria.exe", "Quilloria Configuration", [](HWND w) {
            return SendMessageA(GetDlgItem(w, kListControlId), LB_GETCOUNT, 0, 0) == kMaxPictures;
        });
    });

    DeleteFileA(settings.c_str());
    DeleteFileA((folder + "Quilloria.exe").c_str());
    DeleteFileA((folder + "bare_window.exe").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
