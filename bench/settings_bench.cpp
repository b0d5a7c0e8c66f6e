// Times the settings file with the largest list (32767 pictures of realistic paths) in the
// program's own folder: SaveSettings and LoadSettings against writing and reading the same bytes
// with plain stdio, the parts they are made of, and RotatePictures. Prints figures only.
//
// Usage: settings_bench [REPETITIONS]   (default 9; median and best are printed)
// A Quilloria.dat already in the folder is put back as it was at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_timer.h"
#include "common/file_system.h"
#include "common/picture_list.h"
#include "common/settings_codec.h"
#include "common/settings_file.h"

namespace {

// Folders and file names like those of a real picture collection: user profiles with blanks,
// commas in album names, other drives, a drive root and a network share.
PictureSlots RealisticList(int count) {
    static const char* const kFolders[] = {
        "C:\\Users\\Margarethe Vogel\\Pictures\\",
        "C:\\Users\\Margarethe Vogel\\Pictures\\Holidays 2023\\Tuscany, Siena and Pisa\\",
        "C:\\Users\\Margarethe Vogel\\OneDrive\\Pictures\\Camera Roll\\",
        "D:\\Wallpapers\\Landscapes\\",
        "D:\\Photos\\2019\\2019-08 Norway\\Lofoten\\",
        "E:\\",
        "\\\\nas\\family\\Scans\\Old albums\\Grandma 1962-1970\\",
        "C:\\Users\\Margarethe Vogel\\Downloads\\",
    };
    constexpr int kFolderCount = static_cast<int>(sizeof(kFolders) / sizeof(kFolders[0]));

    PictureSlots list = EmptyPictureList();
    list.reserve(static_cast<size_t>(count) + 1);
    char name[128];
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
            case 0:
                std::snprintf(name, sizeof(name), "IMG_2023%02d%02d_%06d.jpg", 1 + i % 12, 1 + i % 28, i * 7 % 240000);
                break;
            case 1: std::snprintf(name, sizeof(name), "DSC%05d.JPG", i); break;
            case 2: std::snprintf(name, sizeof(name), "Screenshot 2024-01-%02d %06d.bmp", 1 + i % 28, i); break;
            default: std::snprintf(name, sizeof(name), "wallpaper %d (1920x1080).gif", i); break;
        }
        const std::string folder = kFolders[i % kFolderCount];
        PictureEntry entry;
        entry.FolderLength = static_cast<int16_t>(folder.size());
        entry.Path = folder + name;
        entry.Tile = static_cast<int16_t>(i % 7 == 0 ? 1 : 0);
        entry.Stretch = i % 3 == 0;
        list.push_back(std::move(entry));
    }
    return list;
}

bool StdioWrite(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

bool StdioRead(const std::string& path, std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 0, SEEK_SET);
    bytes.assign(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    const bool ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    std::fclose(file);
    return ok;
}

void PrintRow(const char* what, const Timings& t) { std::printf("  %-46s %9.3f  (%9.3f)\n", what, t.median, t.best); }

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const PictureSlots list = RealisticList(kMaxPictures);
    const std::string bytes = EncodeSettings(list);
    const std::string settingsPath = SettingsFilePath();
    const std::string stdioPath = AppFolder() + "Quilloria.stdio-bench";

    // Keep a settings file that was already here.
    std::optional<std::string> kept;
    if (GetFileAttributesA(settingsPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        kept = ReadWholeFile(settingsPath, 256u * 1024 * 1024);
        if (!kept) {
            std::printf("settings_bench: cannot read the existing %s; not touching it\n", settingsPath.c_str());
            return 1;
        }
    }

    std::vector<double> flush, copy;
    std::vector<double> save, load, stdioWrite, stdioRead, encode, decode, replace, readWhole, rotate, loaderTurn;
    bool correct = true;
    for (int r = 0; r < repetitions; ++r) {
        Pictures = list;
        {
            Stopwatch watch;
            const DWORD error = SaveSettings();
            save.push_back(watch.Milliseconds());
            if (error != 0) {
                std::printf("settings_bench: SaveSettings failed with error %lu\n", error);
                correct = false;
                break;
            }
        }
        Pictures.clear();
        {
            Stopwatch watch;
            const bool loaded = LoadSettings();
            load.push_back(watch.Milliseconds());
            if (!loaded || Pictures != list) correct = false;
        }
        {
            Stopwatch watch;
            const bool ok = StdioWrite(stdioPath, bytes);
            stdioWrite.push_back(watch.Milliseconds());
            if (!ok) correct = false;
        }
        {
            std::string back;
            Stopwatch watch;
            const bool ok = StdioRead(stdioPath, back);
            stdioRead.push_back(watch.Milliseconds());
            if (!ok || back != bytes) correct = false;
        }
        // The parts of SaveSettings and LoadSettings.
        {
            Stopwatch watch;
            const std::string encoded = EncodeSettings(list);
            encode.push_back(watch.Milliseconds());
            if (encoded != bytes) correct = false;
        }
        {
            Stopwatch watch;
            const SettingsReadResult read = DecodeSettings(bytes);
            decode.push_back(watch.Milliseconds());
            if (read.status != SettingsReadStatus::Ok) correct = false;
        }
        {
            Stopwatch watch;
            if (ReplaceFileContents(settingsPath, bytes) != 0) correct = false;
            replace.push_back(watch.Milliseconds());
        }
        // The flush alone, of a file of the same bytes written as the save writes it.
        {
            HANDLE file = CreateFileA(stdioPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
            DWORD written = 0;
            if (file == INVALID_HANDLE_VALUE ||
                !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
                correct = false;
            }
            Stopwatch watch;
            if (!FlushFileBuffers(file)) correct = false;
            flush.push_back(watch.Milliseconds());
            CloseHandle(file);
        }
        // A copy of the list: the allocations of its paths, which a load cannot do without.
        {
            Stopwatch watch;
            PictureSlots copied = list;
            copy.push_back(watch.Milliseconds());
            if (copied.size() != list.size()) correct = false;
        }
        // What the loader does at the session end while it holds the writer turn, which a save
        // of the configuration program waits for at most kSaveWaitMs.
        {
            Stopwatch watch;
            const WriterTurn turn(settingsPath, kSaveWaitMs);
            const bool loaded = LoadSettings();
            RotatePictures(Pictures);
            const DWORD error = SaveSettings(&turn);
            loaderTurn.push_back(watch.Milliseconds());
            if (!loaded || error != 0) correct = false;
        }
        {
            Stopwatch watch;
            const auto read = ReadWholeFile(settingsPath, 256u * 1024 * 1024);
            readWhole.push_back(watch.Milliseconds());
            if (!read) correct = false;
        }
    }
    PictureSlots rotating = list;
    for (int r = 0; r < 101; ++r) {
        Stopwatch watch;
        RotatePictures(rotating);
        rotate.push_back(watch.Milliseconds());
    }
    if (rotating[1] != list[102] || rotating.back() != list[101]) correct = false;

    DeleteFileA(stdioPath.c_str());
    DeleteFileA(settingsPath.c_str());
    if (kept && ReplaceFileContents(settingsPath, *kept) != 0) {
        std::printf("settings_bench: could not put the earlier %s back\n", settingsPath.c_str());
    }
    Pictures.clear();

    if (!correct) {
        std::printf("settings_bench: a run did not give back the list or the bytes it wrote\n");
        return 1;
    }

    const Timings tSave = Summarize(save), tLoad = Summarize(load);
    const Timings tWrite = Summarize(stdioWrite), tRead = Summarize(stdioRead);
    std::printf("settings_bench (%d-bit): %d pictures, %zu bytes, in %s\n", static_cast<int>(sizeof(void*) * 8),
                PictureCount(list), bytes.size(), AppFolder().c_str());
    std::printf("  %d repetitions; milliseconds, median (best)\n", repetitions);
    PrintRow("SaveSettings", tSave);
    PrintRow("LoadSettings", tLoad);
    PrintRow("stdio fwrite of the same bytes", tWrite);
    PrintRow("stdio fread of the same bytes", tRead);
    std::printf("  parts:\n");
    PrintRow("  EncodeSettings", Summarize(encode));
    PrintRow("  ReplaceFileContents (write, flush, move)", Summarize(replace));
    PrintRow("    of which FlushFileBuffers", Summarize(flush));
    PrintRow("  ReadWholeFile", Summarize(readWhole));
    PrintRow("  DecodeSettings", Summarize(decode));
    PrintRow("    a copy of the list (its allocations)", Summarize(copy));
    PrintRow("RotatePictures (101 single rotations)", Summarize(rotate));
    PrintRow("loader's turn: load, rotate, save", Summarize(loaderTurn));
    std::printf("  (a save of the configuration program waits at most %lu ms for that turn)\n", kSaveWaitMs);
    std::printf("  ratio SaveSettings / fwrite              %6.2fx\n", Ratio(tSave.median, tWrite.median));
    std::printf("  ratio LoadSettings / fread               %6.2fx\n", Ratio(tLoad.median, tRead.median));
    std::printf("  ratio (Save + Load) / (fwrite + fread)   %6.2fx   (goal <= 2x)\n",
                Ratio(tSave.median + tLoad.median, tWrite.median + tRead.median));
    return 0;
}
