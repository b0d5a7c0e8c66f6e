// The fullscreen preview of a large picture, measured: from the button press (the call that opens
// the preview, with the picture the miniature already holds) to the window fully drawn, against
// loading the same file with LoadPicture, and the working set while the preview is shown.
// Prints figures; asserts nothing.
//
// Usage: fullscreen_bench.exe PICTURE [RUNS]   (stretched over the primary monitor)
#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_timer.h"
#include "common/message_pump.h"
#include "common/picture.h"
#include "config/preview/frm_tile.h"

namespace {

size_t WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return 0;
    return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

double Mib(size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// One opening: the time until the window was drawn, and the working set then.
struct Opening {
    const Stopwatch* watch = nullptr;
    double drawnMs = -1;
    size_t shownBytes = 0;
};
Opening* opening = nullptr;

BOOL CALLBACK FindPreview(HWND window, LPARAM result) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (lstrcmpA(text, config::kFullscreenCaption) != 0) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

// Timer messages come only when no paint is due, so the first tick that finds the preview
// visible and validated comes right after its first paint has ended.
VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND preview = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPreview, reinterpret_cast<LPARAM>(&preview));
    if (!preview || !IsWindowVisible(preview) || GetUpdateRect(preview, nullptr, FALSE)) return;
    if (opening->drawnMs < 0) {
        GdiFlush();
        opening->drawnMs = opening->watch->Milliseconds();
        opening->shownBytes = WorkingSet(false);
        PostMessageA(preview, WM_KEYDOWN, VK_SPACE, 1);
        PostMessageA(preview, WM_KEYUP, VK_SPACE, 0xC0000001);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fullscreen_bench PICTURE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    std::vector<double> loads;
    PictureLoadResult loaded;
    for (int i = 0; i < runs; ++i) {
        loaded = {};
        Stopwatch watch;
        loaded = LoadPicture(argv[1]);
        loads.push_back(watch.Milliseconds());
        if (loaded.error) {
            std::fprintf(stderr, "cannot load %s: %s\n", argv[1], loaded.error.description.c_str());
            return 1;
        }
    }
    const Picture picture = loaded.picture;
    const size_t loadedBytes = WorkingSet(false);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FullscreenBenchOwner";
    RegisterClassA(&windowClass);
    HWND owner = CreateWindowExA(0, "FullscreenBenchOwner", "Owner", WS_OVERLAPPEDWINDOW, 50, 50, 300, 200, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(owner, SW_SHOW);
    DoEvents();

    const PictureEntry stretched{0, "", 0, true};
    std::vector<double> openings;
    size_t shown = 0;
    for (int i = 0; i < runs; ++i) {
        Stopwatch watch;
        Opening run{&watch};
        opening = &run;
        const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
        config::ShowFullscreenPreview(owner, picture, stretched);
        KillTimer(nullptr, timer);
        DoEvents();
        if (run.drawnMs < 0) {
            std::fprintf(stderr, "the preview was not drawn\n");
            return 1;
        }
        openings.push_back(run.drawnMs);
        shown = std::max(shown, run.shownBytes);
    }
    DestroyWindow(owner);

    const Timings load = Summarize(loads), open = Summarize(openings);
    std::printf("picture %d x %d, stretched over %d x %d pixels, %d runs\n", picture.Width(), picture.Height(),
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), runs);
    std::printf("LoadPicture:                 median %7.1f ms, best %7.1f ms\n", load.median, load.best);
    std::printf("press to fullscreen drawn:   median %7.1f ms, best %7.1f ms (timer resolution ~%d ms)\n",
                open.median, open.best, USER_TIMER_MINIMUM);
    std::printf("ratio fullscreen / load:     %.2f (medians; goal <= 1.5)\n", open.median / load.median);
    std::printf("working set: %.1f MiB with the picture loaded, %.1f MiB while the preview is shown "
                "(largest of the runs); peak of the whole process %.1f MiB\n",
                Mib(loadedBytes), Mib(shown), Mib(WorkingSet(true)));
    CoUninitialize();
    return 0;
}
