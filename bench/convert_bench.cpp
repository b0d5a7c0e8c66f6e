// The loader's work at logoff, measured: converting a large JPEG into Quilloria.bmp through the
// picture services (load then save, and the loader's ConvertToBitmap), and a real QLLoader (built beside this program) from the
// session-end message to its exit, with its peak memory. Prints figures; asserts nothing.
//
// Usage: convert_bench.exe JPEG [NATIVE_MS]
//   NATIVE_MS: the time of a native reference decoder on the same file (djpeg -bmp), for the ratio.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_timer.h"
#include "common/file_system.h"
#include "common/picture.h"

namespace {

constexpr int kRuns = 3;

size_t PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.PeakWorkingSetSize : 0;
}

struct WindowSearch {
    DWORD processId;
    HWND application = nullptr;
    HWND main = nullptr;
};

BOOL CALLBACK FindLoaderWindows(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (std::string(text) == "Quilloria Loader") search->application = window;
    if (std::string(text) == "Quilloria") search->main = window;
    return TRUE;
}

struct LoaderRun {
    double milliseconds = 0;
    size_t peakBytes = 0;
    bool ok = false;
};

// Starts QLLoader in `folder`, sends its window the session end and waits for it to exit.
LoaderRun RunLoader(const std::string& folder) {
    LoaderRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + folder + "QLLoader.exe\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        return run;
    }
    CloseHandle(process.hThread);
    WaitForInputIdle(process.hProcess, 5000);
    WindowSearch search{process.dwProcessId};
    for (int i = 0; i < 500 && !search.main; ++i) {
        EnumWindows(FindLoaderWindows, reinterpret_cast<LPARAM>(&search));
        if (!search.main) Sleep(10);
    }
    if (search.main) {
        const size_t before = PeakWorkingSet(process.hProcess);
        Stopwatch watch;
        PostMessageA(search.main, WM_ENDSESSION, TRUE, 0);
        size_t peak = before;
        // The peak is sampled while the loader runs: a finished process has no counters to read.
        while (WaitForSingleObject(process.hProcess, 2) == WAIT_TIMEOUT) {
            if (const size_t now = PeakWorkingSet(process.hProcess)) peak = now > peak ? now : peak;
        }
        run.milliseconds = watch.Milliseconds();
        if (const size_t last = PeakWorkingSet(process.hProcess)) peak = last > peak ? last : peak;
        run.peakBytes = peak;
        run.ok = true;
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hProcess);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: convert_bench JPEG [NATIVE_MS]\n");
        return 2;
    }
    const std::string jpeg = argv[1];
    const double nativeMs = argc > 2 ? std::atof(argv[2]) : 0;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ql-convert-bench-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string bitmap = folder + "Quilloria.bmp";

    // 1. The picture services in this process: load (decode, orientation) and save as 24-bit bitmap.
    // A picture that does not fit into this process's memory is reported, and the loader is run all
    // the same: how it ends then is the figure that matters.
    std::vector<double> load, save, total;
    int width = 0, height = 0;
    for (int i = 0; i < kRuns; ++i) {
        Stopwatch all;
        PictureLoadResult loaded = LoadPicture(jpeg);
        load.push_back(all.Milliseconds());
        if (loaded.error) {
            std::printf("in process: cannot load %s: %s\n", jpeg.c_str(), loaded.error.description.c_str());
            total.clear();
            break;
        }
        width = loaded.picture.Width();
        height = loaded.picture.Height();
        Stopwatch saving;
        const PictureError error = SavePictureAsBitmap(loaded.picture, bitmap);
        save.push_back(saving.Milliseconds());
        loaded.picture = Picture();
        total.push_back(all.Milliseconds());
        if (error) {
            std::printf("in process: cannot save: %s\n", error.description.c_str());
            total.clear();
            break;
        }
    }
    Timings t{};
    if (!total.empty()) {
        const Timings l = Summarize(load), s = Summarize(save);
        t = Summarize(total);
        std::printf("picture %d x %d\n", width, height);
        std::printf("in process: load %.0f ms, save %.0f ms, total %.0f ms (median of %d; best total %.0f ms)\n",
                    l.median, s.median, t.median, kRuns, t.best);
    }
    std::printf("in process: peak working set of this program %.0f MB\n", PeakWorkingSet(GetCurrentProcess()) / 1048576.0);

    // 1b. The loader's own conversion, which goes from the decoder to the file strip by strip.
    std::vector<double> convert;
    for (int i = 0; i < kRuns && !total.empty(); ++i) {
        Stopwatch watch;
        const BitmapConversion converted = ConvertToBitmap(jpeg, bitmap);
        convert.push_back(watch.Milliseconds());
        if (converted.loadError || converted.saveError) {
            std::printf("in process: cannot convert\n");
            convert.clear();
            break;
        }
    }
    Timings c{};
    if (!convert.empty()) {
        c = Summarize(convert);
        std::printf("in process: ConvertToBitmap %.0f ms (median of %d; best %.0f ms)\n", c.median, kRuns, c.best);
    }

    // 2. The real loader, from the session-end message to its exit.
    const std::string source = ProgramFolder() + "QLLoader.exe";
    CopyFileA(source.c_str(), (folder + "QLLoader.exe").c_str(), FALSE);
    const std::string jpegFolder = jpeg.substr(0, jpeg.rfind('\\') + 1);
    // Two entries of the same picture, told apart by their style, so that a turned list shows.
    auto line = [&](const char* stretch) {
        return std::to_string(jpegFolder.size()) + ",\"" + jpeg + "\",0," + stretch + "\r\n";
    };
    const std::string list = "\"Version 1.1\"\r\n2\r\n" + line("#TRUE#") + line("#FALSE#");
    const std::string turned = "\"Version 1.1\"\r\n2\r\n" + line("#FALSE#") + line("#TRUE#");
    std::vector<double> loaderTimes;
    size_t loaderPeak = 0;
    int converted = 0, turnedRuns = 0;
    for (int i = 0; i < kRuns; ++i) {
        DeleteFileA(bitmap.c_str());
        ReplaceFileContents(folder + "Quilloria.dat", list);
        const LoaderRun run = RunLoader(folder);
        if (!run.ok) {
            std::fprintf(stderr, "the loader did not become resident\n");
            return 1;
        }
        converted += PlainFileExists(bitmap);
        turnedRuns += ReadWholeFile(folder + "Quilloria.dat", 1 << 20) == std::optional<std::string>(turned);
        loaderTimes.push_back(run.milliseconds);
        loaderPeak = run.peakBytes > loaderPeak ? run.peakBytes : loaderPeak;
    }
    const Timings lt = Summarize(loaderTimes);
    std::printf("loader: session-end message to exit %.0f ms (median of %d; best %.0f ms, worst %.0f ms)\n", lt.median,
                kRuns, lt.best, *std::max_element(loaderTimes.begin(), loaderTimes.end()));
    std::printf("loader: peak working set %.0f MB\n", loaderPeak / 1048576.0);
    std::printf("loader: Quilloria.bmp written in %d of %d runs, list turned in %d of %d\n", converted, kRuns, turnedRuns,
                kRuns);
    if (nativeMs > 0 && !total.empty()) {
        std::printf("native djpeg -bmp: %.0f ms\n", nativeMs);
        std::printf("ratio in process / native: %.2f\n", t.median / nativeMs);
        if (!convert.empty()) std::printf("ratio ConvertToBitmap / native: %.2f\n", c.median / nativeMs);
        std::printf("ratio loader (message to exit) / native: %.2f\n", lt.median / nativeMs);
    }

    DeleteFileA(bitmap.c_str());
    DeleteFileA((folder + "Quilloria.dat").c_str());
    DeleteFileA((folder + "QLLoader.exe").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
