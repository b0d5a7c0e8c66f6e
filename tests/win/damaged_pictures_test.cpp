// Every file of the damaged-picture corpus goes through the picture load that the preview and the
// loader's conversion use: each is a load error, or a picture that can be read in full, painted
// and saved as a bitmap of its size; never a crash, and neither the load nor the save takes more
// than 5 s.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "common/picture.h"
#include "damaged_pictures.h"

namespace {

TEST(DamagedPictures, EachIsALoadErrorOrAWholePicture) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "ql-damaged-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::vector<damaged_pictures::File> corpus = damaged_pictures::Corpus(damaged_pictures::GoodFiles(folder));

    // A file that stalls ends the test with its name; one that crashes ends it anyway. A stall is
    // 30 s of the process's CPU time (a damaged header that announces a picture of the largest
    // size takes a few seconds to load, paint and convert on a slow machine; a loop that never ends
    // takes them all), or a minute in which it waits on nothing.
    const auto cpuMs = [] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        const auto ms = [](FILETIME t) { return (uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) / 10000; };
        return ms(kernel) + ms(user);
    };
    std::atomic<const char*> current{nullptr};
    std::atomic<DWORD> started{0};
    std::atomic<uint64_t> startedCpu{0};
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        while (!done) {
            Sleep(100);
            // The process's time drops when a decoder's worker thread ends: only a rise counts.
            const char* name = current.load();
            const uint64_t cpu = cpuMs(), since = startedCpu;
            if (name && ((cpu > since && cpu - since > 30000) || GetTickCount() - started > 60000)) {
                std::printf("STALLED: %s\n", name);
                std::fflush(stdout);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    });
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 160, 120);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldSurface = SelectObject(dc, surface);
    int errors = 0, pictures = 0;
    DWORD slowest = 0;  // load and conversion together
    for (const damaged_pictures::File& file : corpus) {
        const std::string path = folder + file.name, bitmap = folder + "converted.bmp";
        test_pictures::WriteBytes(path, file.bytes);
        const DWORD begin = GetTickCount();
        started = begin;
        startedCpu = cpuMs();
        current = file.name.c_str();
        PictureLoadResult loaded = LoadPicture(path);
        if (loaded.error) {
            ++errors;
            EXPECT_TRUE(loaded.picture.IsEmpty()) << file.name;
            EXPECT_FALSE(loaded.error.description.empty()) << file.name;
        } else {
            ++pictures;
            const Picture& p = loaded.picture;
            ASSERT_TRUE(p.Width() >= 1 && p.Height() >= 1 && static_cast<uint64_t>(p.Width()) * p.Height() <= MaxPicturePixels(PictureUse::Preview))
                << file.name << ": " << p.Width() << " x " << p.Height();
            uint32_t sum = 0;  // every pixel can be read
            for (int y = 0; y < p.Height(); ++y) {
                for (int x = 0; x < p.Width(); ++x) sum += p.Image()->row(y)[x];
            }
            p.PaintAt(dc, 10, 10);
            PaintPlaced(dc, p, {0, 0, 160, 120, true});
            started = GetTickCount();  // the loader's conversion: a 24-bit bitmap of the picture's size
            startedCpu = cpuMs();
            ASSERT_FALSE(SavePictureAsBitmap(p, bitmap)) << file.name << " (" << sum << ")";
            int32_t head[6] = {};  // from the file size field on: size, 0, offset, 40, width, height
            std::ifstream(bitmap, std::ios::binary).seekg(2).read(reinterpret_cast<char*>(head), sizeof(head));
            WIN32_FILE_ATTRIBUTE_DATA written{};
            GetFileAttributesExA(bitmap.c_str(), GetFileExInfoStandard, &written);
            const uint64_t stride = (static_cast<uint64_t>(p.Width()) * 3 + 3) & ~3ull;
            EXPECT_TRUE(written.nFileSizeLow == 54 + stride * p.Height() && static_cast<uint32_t>(head[0]) == written.nFileSizeLow &&
                        head[4] == p.Width() && head[5] == p.Height())
                << file.name;
        }
        slowest = std::max(slowest, GetTickCount() - begin);
        current = nullptr;
        DeleteFileA(path.c_str());
        DeleteFileA(bitmap.c_str());
        if (HasFatalFailure()) break;
    }
    done = true;
    watchdog.join();
    SelectObject(dc, oldSurface);
    DeleteObject(surface);
    DeleteDC(dc);
    RemoveDirectoryA(folder.c_str());
    std::printf("figure: damaged files tried: %zu (%d load errors, %d whole pictures, slowest load and conversion %lu ms), %s: %s\n",
                corpus.size(), errors, pictures, static_cast<unsigned long>(slowest), sizeof(void*) == 8 ? "x64" : "x86",
                HasFailure() ? "FAILED" : "no crash, no stall");
    std::fflush(stdout);
}

}  // namespace
