// Measures what the resident loader costs while it waits for the session to end: starts
// QLLoader.exe (from this program's folder) in a fresh folder holding a valid Quilloria.dat, so
// that it becomes resident, and after the given time prints the CPU time it used and its memory.
// The loader is then ended without notice and the folder removed.
//
// Usage: loader_cpu_bench [SECONDS]   (default 60)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_timer.h"
#include "process_cpu.h"
#include "common/file_system.h"
#include "common/settings_codec.h"
#include "common/settings_file.h"

namespace {

struct CpuTimes {
    double totalMs = 0;
    double TotalMs() const { return totalMs; }
};

// The loader's CPU time: GetProcessTimes on Windows; under Wine, which answers 0 for other
// processes, Linux's figures for the process started from the benchmark's folder.
bool ReadCpuTimes(HANDLE process, const std::string& folderMark, CpuTimes& times) {
    times.totalMs = bench::ProcessCpuMs(process, bench::RunningUnderWine() ? bench::FindLinuxProcess(folderMark) : "");
    return times.totalMs >= 0;
}

// Still running: the loader found its settings and no other loader, and stays resident.
bool StillRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

void RemoveFolder(const std::string& folder) {
    for (const char* name : {"QLLoader.exe", "Quilloria.dat", "Quilloria.dat.new"}) {
        DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const std::string loaderSource = AppFolder() + "QLLoader.exe";
    const std::string folder = AppFolder() + "loader-cpu-bench-" + std::to_string(GetCurrentProcessId()) + "\\";

    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        std::printf("loader_cpu_bench: cannot create %s (error %lu)\n", folder.c_str(), GetLastError());
        return 1;
    }
    if (!CopyFileA(loaderSource.c_str(), (folder + "QLLoader.exe").c_str(), TRUE)) {
        std::printf("loader_cpu_bench: cannot copy %s (error %lu)\n", loaderSource.c_str(), GetLastError());
        RemoveFolder(folder);
        return 1;
    }
    PictureSlots list = EmptyPictureList();
    list.push_back({8, "C:\\Pics\\sunset.jpg", 0, true});
    list.push_back({8, "C:\\Pics\\bricks.bmp", 1, false});
    if (ReplaceFileContents(folder + "Quilloria.dat", EncodeSettings(list)) != 0) {
        std::printf("loader_cpu_bench: cannot write the settings file in %s\n", folder.c_str());
        RemoveFolder(folder);
        return 1;
    }

    std::string commandLine = "\"" + folder + "QLLoader.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::printf("loader_cpu_bench: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        RemoveFolder(folder);
        return 1;
    }
    CloseHandle(process.hThread);
    const Stopwatch sinceStart;

    // Start-up is over once the loader waits for messages; what follows is the resident wait.
    WaitForInputIdle(process.hProcess, 10000);
    Sleep(1000);
    CpuTimes afterStartUp;
    const std::string mark = "loader-cpu-bench-" + std::to_string(GetCurrentProcessId());
    const bool timesReadable = ReadCpuTimes(process.hProcess, mark, afterStartUp);
    const double waitStartedMs = sinceStart.Milliseconds();

    int result = 0;
    const double remainingMs = seconds * 1000.0 - waitStartedMs;
    if (remainingMs > 0) WaitForSingleObject(process.hProcess, static_cast<DWORD>(remainingMs));
    const double elapsedMs = sinceStart.Milliseconds();

    if (!StillRunning(process.hProcess)) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        std::printf("loader_cpu_bench: the loader did not stay resident (exit code %lu); is another loader running?\n",
                    exitCode);
        result = 1;
    } else {
        CpuTimes atEnd;
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        const bool memoryReadable = GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)) != 0;
        if (!timesReadable || !ReadCpuTimes(process.hProcess, mark, atEnd)) {
            std::printf("loader_cpu_bench: the loader's CPU time could not be read\n");
            result = 1;
        } else {
            const double waitMs = elapsedMs - waitStartedMs;
            std::printf("loader_cpu_bench (%d-bit): QLLoader resident for %.1f s\n", static_cast<int>(sizeof(void*) * 8),
                        elapsedMs / 1000.0);
            std::printf("  CPU time in all      %9.1f ms\n", atEnd.TotalMs());
            std::printf("  CPU time of start-up %9.1f ms  (first %.1f s)\n", afterStartUp.TotalMs(),
                        waitStartedMs / 1000.0);
            std::printf("  CPU time while idle  %9.1f ms  over %.1f s (%.4f %% of one core)\n",
                        atEnd.TotalMs() - afterStartUp.TotalMs(), waitMs / 1000.0,
                        waitMs > 0 ? 100.0 * (atEnd.TotalMs() - afterStartUp.TotalMs()) / waitMs : 0.0);
            if (memoryReadable) {
                std::printf("  working set %.1f MB (peak %.1f MB), private bytes %.1f MB\n",
                            memory.WorkingSetSize / 1048576.0, memory.PeakWorkingSetSize / 1048576.0,
                            memory.PagefileUsage / 1048576.0);
            } else {
                std::printf("  memory figures not available (error %lu)\n", GetLastError());
            }
        }
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hProcess);
    RemoveFolder(folder);
    return result;
}
