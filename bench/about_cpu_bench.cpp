// Measures what the About window costs: starts Quilloria.exe (from this program's folder) in a
// fresh folder with a short list, opens its About window from btnAbout and prints the CPU time the
// program uses while the ball and the credits move, then closes the About window and prints the
// CPU time while the configuration window alone waits. The program is then ended and the folder
// removed.
//
// Usage: about_cpu_bench [SECONDS_OPEN [SECONDS_AFTER]]   (defaults 30 and 10)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench_timer.h"
#include "process_cpu.h"
#include "common/file_system.h"
#include "common/settings_codec.h"
#include "config/about/about_layout.h"
#include "config/main_layout.h"

namespace {

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (owner != search->processId || !IsWindowVisible(window) || lstrcmpA(name, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Waits up to 10 s for `condition`; false when it never held.
bool WaitFor(const std::function<bool()>& condition) {
    for (int waited = 0; waited < 10000; waited += 10) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

HWND WaitForWindow(DWORD processId, const char* className) {
    Search search{processId, className, nullptr};
    WaitFor([&] {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// CPU time of `process` over `seconds`, in milliseconds and in per cent of one core.
void Measure(HANDLE process, const std::string& linuxPid, const char* what, int seconds) {
    const double before = bench::ProcessCpuMs(process, linuxPid);
    const Stopwatch watch;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double used = bench::ProcessCpuMs(process, linuxPid) - before;
    const double elapsed = watch.Milliseconds();
    std::printf("  %-34s %8.1f ms CPU over %5.1f s = %6.3f %% of one core\n", what, used, elapsed / 1000.0,
                100.0 * used / elapsed);
}

void RemoveFolder(const std::string& folder) {
    for (const char* name : {"Quilloria.exe", "Quilloria.dat"}) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const int secondsOpen = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int secondsAfter = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    const std::string mark = "about-cpu-bench-" + std::to_string(GetCurrentProcessId());
    const std::string folder = ProgramFolder() + mark + "\\";
    if (!CreateDirectoryA(folder.c_str(), nullptr) ||
        !CopyFileA((ProgramFolder() + "Quilloria.exe").c_str(), (folder + "Quilloria.exe").c_str(), FALSE)) {
        std::printf("about_cpu_bench: cannot prepare %s (error %lu)\n", folder.c_str(), GetLastError());
        RemoveFolder(folder);
        return 1;
    }
    PictureSlots list = EmptyPictureList();
    list.push_back({8, "C:\\Pics\\sunset.jpg", 0, true});
    ReplaceFileContents(folder + "Quilloria.dat", EncodeSettings(list));

    std::string commandLine = "\"" + folder + "Quilloria.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::printf("about_cpu_bench: cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        RemoveFolder(folder);
        return 1;
    }
    CloseHandle(process.hThread);

    int result = 1;
    HWND main = WaitForWindow(process.dwProcessId, "QuilloriaConfigMain");
    const std::string linuxPid = bench::RunningUnderWine() ? bench::FindLinuxProcess(mark) : std::string();
    HWND aboutButton = main ? GetDlgItem(main, ControlId(MainControl::btnAbout)) : nullptr;
    if (bench::RunningUnderWine() && linuxPid.empty()) {
        std::printf("about_cpu_bench: cannot find the program in Z:\\proc\n");
    } else if (!aboutButton || !WaitFor([&] { return IsWindowVisible(aboutButton) != FALSE; })) {
        std::printf("about_cpu_bench: the configuration window did not come up\n");
    } else {
        // A pointer resting on a control keeps its tool tip and hot tracking busy (under Wine
        // about 2 % of a core). The pointer of a fresh Xvfb rests in the middle of the screen,
        // where the window is centred, and Wine does not move it for a program without windows;
        // so the window moves to the corner, and the About window opens over it there.
        SetWindowPos(main, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(1000);  // start-up is over
        std::printf("about_cpu_bench (%d-bit): Quilloria.exe%s\n", static_cast<int>(sizeof(void*) * 8),
                    bench::RunningUnderWine() ? ", times from /proc" : "");
        Measure(process.hProcess, linuxPid, "configuration window alone", secondsAfter);
        PostMessageA(aboutButton, BM_CLICK, 0, 0);
        HWND about = WaitForWindow(process.dwProcessId, "QuilloriaAbout");
        if (!about) {
            std::printf("about_cpu_bench: the About window did not open\n");
        } else {
            Sleep(1000);
            Measure(process.hProcess, linuxPid, "About window open (ball, credits)", secondsOpen);
            // Where the time goes: each of the two moving, then neither.
            const auto click = [&](AboutControl button) {
                SendMessageA(GetDlgItem(about, ControlId(button)), BM_CLICK, 0, 0);
            };
            const int part = std::max(1, secondsOpen / 3);
            click(AboutControl::btnBStop);
            Measure(process.hProcess, linuxPid, "  credits alone (ball stopped)", part);
            click(AboutControl::btnBStop);
            click(AboutControl::btnTStop);
            Measure(process.hProcess, linuxPid, "  ball alone (credits stopped)", part);
            click(AboutControl::btnBStop);
            Measure(process.hProcess, linuxPid, "  both stopped", part);
            PostMessageA(GetDlgItem(about, ControlId(AboutControl::btnOk)), BM_CLICK, 0, 0);
            if (!WaitFor([&] { return !IsWindow(about); })) {
                std::printf("about_cpu_bench: the About window did not close\n");
            } else {
                Sleep(1000);
                Measure(process.hProcess, linuxPid, "after the About window closed", secondsAfter);
                result = 0;
            }
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    RemoveFolder(folder);
    return result;
}
