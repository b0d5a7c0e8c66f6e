// Writes that fail: a full disk, read-only files, a read-only folder. failing_writes.sh mounts a
// small filesystem as one drive and a read-only view of a folder as another, and names them in
// QL_FULL_DRIVE, QL_READ_ONLY_DRIVE and QL_WRITABLE_VIEW (the same folder, writable). For each
// cause: the shared save code on lists and pictures of several sizes, then the configuration
// program's "&OK" and the loader's session end. Quilloria.dat and Quilloria.bmp stay as they were
// and nothing is left beside them; the configuration program says why and keeps its window; the
// loader ends in time, silently.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "../win/test_pictures.h"
#include "common/error_text.h"
#include "common/file_system.h"
#include "common/picture.h"
#include "config_session.h"
#include "loader_session.h"

namespace {

using namespace e2e;
using namespace loader_e2e;
namespace tp = test_pictures;

// The drive an environment variable names, as a folder; empty when it names none.
std::string Drive(const char* variable) {
    const char* value = variable ? std::getenv(variable) : nullptr;
    return value && *value ? std::string(value) + "\\" : std::string();
}

// Writes zeros until the disk is full; returns the error that stopped it.
DWORD FillDisk(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    static const char zeros[65536] = {};
    DWORD chunk = sizeof(zeros), written = 0, error = 0;
    while (!error) {
        if (WriteFile(file, zeros, chunk, &written, nullptr) && written > 0) continue;
        if (chunk == 1) error = GetLastError();
        chunk = 1;  // then the last bytes of the last block
    }
    CloseHandle(file);
    return error;
}

struct Cause {
    const char* what;
    const char* driveVariable;    // the folder is made on this drive (null: in the temporary folder)
    const char* runFromVariable;  // the programs see the folder through this drive (null: the same)
    DWORD error;                  // what every write fails with
    std::function<void(const AppFolder&)> makeFault;  // after the files are in place
};

TEST(FailingWrites, NothingIsLostAndTheUserIsToldWhy) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    AutostartGuard autostart;
    AutostartGuard::Clear();
    SavedDesktopValues savedValues;
    // Pictures to save, held in memory before any fault.
    AppFolder scratch;
    std::vector<Picture> pictures;
    for (int side : {1, 64, 1500}) {
        ASSERT_TRUE(tp::EncodeWithWic(scratch / "p.png", GUID_ContainerFormatPng, side, side, tp::Quadrants(side, side)));
        pictures.push_back(LoadPicture(scratch / "p.png").picture);
    }
    const Cause causes[] = {
        {"a full disk", "QL_FULL_DRIVE", nullptr, ERROR_DISK_FULL,
         [](const AppFolder& f) { ASSERT_EQ(FillDisk(f / "filler"), static_cast<DWORD>(ERROR_DISK_FULL)); }},
        {"read-only Quilloria.dat and Quilloria.bmp", nullptr, nullptr, ERROR_ACCESS_DENIED,
         [](const AppFolder& f) {
             for (const char* name : {"Quilloria.dat", "Quilloria.bmp"}) SetFileAttributesA((f / name).c_str(), FILE_ATTRIBUTE_READONLY);
         }},
        {"a read-only folder", "QL_WRITABLE_VIEW", "QL_READ_ONLY_DRIVE", ERROR_ACCESS_DENIED, [](const AppFolder&) {}},
    };
    for (const Cause& cause : causes) {
        SCOPED_TRACE(cause.what);
        const std::string drive = Drive(cause.driveVariable), view = Drive(cause.runFromVariable);
        if ((cause.driveVariable && drive.empty()) || (cause.runFromVariable && view.empty())) {
            std::printf("SKIPPED: %s: failing_writes.sh could not mount a drive for it here\n", cause.what);
            continue;
        }
        AppFolder folder(drive);
        const std::string at = view.empty() ? folder.Path() : view + folder.Path().substr(drive.size());
        int tried = 0;
        folder.InstallProgram("Quilloria.exe");
        folder.InstallProgram("QLLoader.exe");
        ASSERT_TRUE(tp::EncodeWithWic(folder / "photo.jpg", GUID_ContainerFormatJpeg, 64, 48, tp::Quadrants(64, 48)));
        const std::string bitmap = tp::BitmapFile(8, 8, tp::Quadrants(8, 8));
        const std::string list = SettingsText({{static_cast<int>(at.size()), at + "photo.jpg", 0, true}, {3, "C:\\b.bmp", 1, false}});
        folder.WriteFile("Quilloria.bmp", bitmap);
        folder.WriteFile("Quilloria.dat", kThreePictures);
        ConfigSession config(at);  // holds kThreePictures, which "&OK" would save
        ASSERT_TRUE(config.window);
        folder.WriteFile("Quilloria.dat", list);
        cause.makeFault(folder);
        ASSERT_FALSE(HasFatalFailure());
        auto nothingLost = [&](const char* after) {
            EXPECT_TRUE(folder.ReadFile("Quilloria.dat") == list) << "Quilloria.dat changed by " << after;
            EXPECT_TRUE(folder.ReadFile("Quilloria.bmp") == bitmap) << "Quilloria.bmp changed by " << after;
            EXPECT_FALSE(folder.Exists("Quilloria.dat.new") || folder.Exists("Quilloria.bmp.new")) << after;
        };

        // The shared save code.
        for (size_t size : {size_t{1}, size_t{100}, size_t{4096}, size_t{65536}, size_t{1} << 20}) {
            EXPECT_EQ(ReplaceFileContents(at + "Quilloria.dat", std::string(size, 'x')), cause.error) << size << " bytes";
            ++tried;
        }
        for (const Picture& picture : pictures) {
            EXPECT_EQ(SavePictureAsBitmap(picture, at + "Quilloria.bmp").number, cause.error) << picture.Width() << " pixels wide";
            ++tried;
        }
        nothingLost("the shared save code");

        // "&OK" tells the user why, and the window stays open.
        ASSERT_TRUE(Click(config.Control(btnOK)));
        const auto box = WaitForMessageBox(config.program.Id());
        ++tried;
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, "Error:");
        EXPECT_NE(box->text.find(at + "Quilloria.dat"), std::string::npos) << box->text;
        EXPECT_NE(box->text.find(SystemErrorDescription(cause.error)), std::string::npos) << box->text;
        ASSERT_TRUE(ClickButton(box->window, IDOK));
        EXPECT_FALSE(config.program.WaitForExit(300).has_value());
        EXPECT_TRUE(IsVisible(config.window));
        nothingLost("the configuration program's \"&OK\"");
        config.program.Kill();

        // The loader converts the JPEG and saves the turned list at session end: both writes fail.
        Program loader = StartResidentLoader(at);
        const DWORD started = GetTickCount();
        EXPECT_TRUE(EndSession());
        EXPECT_TRUE(loader.WaitForExit(5000 - static_cast<int>(std::min<DWORD>(GetTickCount() - started, 5000))).has_value())
            << "the loader did not end within 5 s of the session end";
        tried += 2;
        EXPECT_EQ(ReadDesktopValues().wallpaper, at + "Quilloria.bmp");
        nothingLost("the loader's session end");

        std::printf("figure: failing writes tried: %d, %s, %s: %s\n", tried, cause.what, sizeof(void*) == 8 ? "x64" : "x86",
                    HasFailure() ? "FAILED" : "nothing lost");
        std::fflush(stdout);
    }
}

}  // namespace
