// The configuration window's own work, in process: selecting a 6000 x 4000 JPEG until its
// miniature is drawn (against decoding the file alone), the peak working set meanwhile, and
// removing and moving rows of a 32767-picture list until the list is repainted, adding 1000 picked
// files, with a bare window's creation and first paint as the yardstick of this machine.
//
// Usage: list_preview_bench.exe [runs]
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../tests/win/test_pictures.h"
#include "bench_timer.h"
#include "common/picture.h"
#include "common/picture_list.h"
#include "common/ansi_text.h"
#include "common/settings_file.h"
#include "config/frm_main.h"
#include "config/picture_dialog_result.h"

namespace {

using config::frmMain;

double BareWindowMs() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BareBenchWindow";
    RegisterClassA(&windowClass);
    const Stopwatch watch;
    HWND window = CreateWindowExA(0, "BareBenchWindow", "bare", WS_OVERLAPPEDWINDOW, 0, 0, 520, 240, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    const double elapsed = watch.Milliseconds();
    DestroyWindow(window);
    return elapsed;
}

size_t PeakWorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / (1024 * 1024);
}

HWND List() { return frmMain.Control(MainControl::lPix); }

// Selects `row` as code does and runs the handler, then waits for every paint.
void Select(int row) {
    SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    frmMain.lPix_Click();
}

template <class Action>
Timings Time(int runs, Action action) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const Stopwatch watch;
        action();
        UpdateWindow(frmMain.hwnd());
        UpdateWindow(List());
        UpdateWindow(frmMain.Control(MainControl::pBack));
        samples.push_back(watch.Milliseconds());
    }
    return Summarize(samples);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string jpeg = std::string(temp) + "ql-bench-24mp.jpg";
    if (GetFileAttributesA(jpeg.c_str()) == INVALID_FILE_ATTRIBUTES &&
        !test_pictures::EncodeWithWic(jpeg, GUID_ContainerFormatJpeg, 6000, 4000,
                                      [](int x, int y) { return static_cast<uint32_t>((x * 255 / 6000) << 16 | (y * 255 / 4000) << 8 | 0x40); })) {
        std::printf("could not write %s\n", jpeg.c_str());
        return 1;
    }

    std::vector<double> bare;
    for (int i = 0; i < runs; ++i) bare.push_back(BareWindowMs());
    const Timings yardstick = Summarize(bare);

    // A 32767-picture list: the JPEG first, then small pictures that do not exist (never shown).
    Pictures = EmptyPictureList();
    AppendPicture(Pictures, static_cast<int16_t>(jpeg.rfind('\\') + 1), jpeg);
    for (int i = 1; i < kMaxPictures; ++i) AppendPicture(Pictures, 3, "C:\\picture" + std::to_string(i) + ".bmp");
    if (!frmMain.Load(GetModuleHandleA(nullptr), nullptr)) return 1;
    frmMain.Show();
    frmMain.Form_Activate();

    std::vector<double> selections;
    for (int i = 0; i < runs; ++i) {
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        const Stopwatch watch;
        Select(0);
        UpdateWindow(frmMain.Control(MainControl::pBack));
        selections.push_back(watch.Milliseconds());
    }
    const Timings selectJpeg = Summarize(selections);
    const size_t peakMb = PeakWorkingSetMb();

    std::vector<double> decode;
    for (int i = 0; i < runs; ++i) {
        const Stopwatch watch;
        PictureLoadResult loaded = LoadPicture(jpeg);
        decode.push_back(watch.Milliseconds());
        if (loaded.error) return 1;
    }
    const Timings decodeOnly = Summarize(decode);


    // Row operations in the middle of the list; the preview is not reloaded by moves.
    frmMain.IgnoreListClick = true;
    SendMessageA(List(), LB_SETCURSEL, 16000, 0);
    frmMain.IgnoreListClick = false;
    const Timings up = Time(runs, [] { frmMain.btnUp_Click(); });
    const Timings down = Time(runs, [] { frmMain.btnDown_Click(); });
    // Removing selects and previews the next picture, which does not exist here: the message box
    // that would follow is not part of the figure, so the handler is timed without the preview.
    frmMain.IgnoreListClick = true;
    const Timings remove = Time(runs, [] { frmMain.btnRemove_Click(); });
    frmMain.IgnoreListClick = false;

    // 1000 files picked in one folder, as the dialog returns them, onto a list of 1000.
    std::wstring buffer = L"C:\\Pictures\\Holiday";
    buffer.push_back(L'\0');
    for (int i = 0; i < 1000; ++i) {
        buffer += L"IMG_" + std::to_wstring(10000 + i) + L".jpg";
        buffer.push_back(L'\0');
    }
    buffer.push_back(L'\0');
    std::vector<double> adds;
    for (int i = 0; i < runs; ++i) {
        Pictures = EmptyPictureList();
        for (int j = 0; j < 1000; ++j) AppendPicture(Pictures, 3, "C:\\p" + std::to_string(j) + ".bmp");
        const Stopwatch watch;
        const auto files = JudgePickedFiles(ParsePictureDialogResult(buffer), AnsiPath, AnsiLeadBytes());
        AppendPickedPictures(Pictures, files);
        frmMain.FillPictureList();
        UpdateWindow(List());
        adds.push_back(watch.Milliseconds());
    }
    const Timings add = Summarize(adds);

    std::printf("bare window shown and painted:         %7.1f ms median (%.1f best)\n", yardstick.median, yardstick.best);
    std::printf("decode 6000x4000 JPEG alone:           %7.1f ms median (%.1f best)\n", decodeOnly.median, decodeOnly.best);
    std::printf("select it to miniature drawn:          %7.1f ms median (%.1f best)  ratio %.2f (goal <= 1.3)\n",
                selectJpeg.median, selectJpeg.best, selectJpeg.median / decodeOnly.median);
    std::printf("peak working set while previewed:      %7zu MB\n", peakMb);
    std::printf("32767 rows, move up to repainted:      %7.1f ms median (%.1f best)  goal <= 100\n", up.median, up.best);
    std::printf("32767 rows, move down to repainted:    %7.1f ms median (%.1f best)  goal <= 100\n", down.median, down.best);
    std::printf("32767 rows, remove to repainted:       %7.1f ms median (%.1f best)  goal <= 100\n", remove.median, remove.best);
    std::printf("1000 picked files added and listed:    %7.1f ms median (%.1f best)  goal <= 1000\n", add.median, add.best);
    frmMain.Unload();
    return 0;
}
