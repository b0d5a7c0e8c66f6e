// Kills at random moments: of a program saving lists one after another, of two such programs
// saving into one file, and of the loader during its work at session end. After every kill the
// settings file is, byte for byte, the list before or a list after, and a file left beside it by a
// killed save stops no later save or load.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "../win/test_pictures.h"
#include "config_session.h"
#include "kill_lists.h"
#include "loader_session.h"

namespace {

using namespace e2e;
using namespace loader_e2e;
using Programs = std::vector<Program>;

const char* Arch() { return sizeof(void*) == 8 ? "x64" : "x86"; }
std::string Dat(const AppFolder& folder) { return folder.ReadFile("Quilloria.dat").value_or("<missing>"); }

struct KillRow {
    const char* what;
    const AppFolder& folder;
    int kills, maxDelayMs;                // each kill comes 0..maxDelayMs after the start
    std::function<void(Programs&)> start;  // starts the programs to kill
    std::function<void()> check;          // reads the files, while the work runs and after the kill
    std::function<void()> finish;         // an unkilled run after the kills
};

TEST(KillDuringSave, EveryKillLeavesOneWholeList) {
    std::mt19937 random(GetTickCount());
    AppFolder saves, twoWriters, loaderFolder;
    // The save loops' lists: in each folder never an older one than seen before, per family.
    std::map<std::string, int> last;
    auto saveLoop = [&](const AppFolder& folder, char family, const std::string& count = "") {
        const int next = last[folder.Path() + family] + 1;
        return Program::Start(folder / "SaveLoop.exe", std::string(1, family) + " " + std::to_string(next) + " " + count);
    };
    auto newerList = [&](const AppFolder& folder) {
        const std::string bytes = Dat(folder);
        const auto found = kill_lists::Identify(bytes);
        ASSERT_TRUE(found) << "not a whole list: " << bytes.size() << " bytes: " << bytes.substr(0, 80);
        int& seen = last[folder.Path() + found->family];
        EXPECT_GE(found->index, seen) << "an older list came back";
        seen = std::max(seen, found->index);
    };
    auto finishSaves = [&](const AppFolder& folder, const char* families) {
        Programs programs;
        for (const char* f = families; *f; ++f) programs.push_back(saveLoop(folder, *f, "100"));
        while (std::any_of(programs.begin(), programs.end(), [](const Program& p) { return p.Running(); })) newerList(folder);
        for (const Program& p : programs) EXPECT_EQ(p.WaitForExit(), 0u) << "saves failed beside another writer or reader";
        newerList(folder);
    };
    for (AppFolder* folder : {&saves, &twoWriters}) {
        folder->InstallProgram("SaveLoop.exe");
        ASSERT_EQ(saveLoop(*folder, 'A', "1").WaitForExit(), 0u);
    }

    // At each session end the loader converts a JPEG and saves a list of 2500 pictures.
    SavedDesktopValues savedValues;
    loaderFolder.InstallLoaderWithStandIn();
    const std::string jpeg = loaderFolder / "photo.jpg";
    ASSERT_TRUE(test_pictures::EncodeWithWic(jpeg, GUID_ContainerFormatJpeg, 1200, 900, test_pictures::Quadrants(1200, 900)));
    std::vector<ListEntry> list(2500, {static_cast<int>(loaderFolder.Path().size()), jpeg, 0, false});
    list[1].path = loaderFolder / "other.gif";
    loaderFolder.WriteFile("Quilloria.dat", SettingsText(list));
    // The session end goes on after the loader's kill. It is always waited for, never killed:
    // wineboot holds back every program that starts until it has finished.
    Program wineboot;
    auto sessionEnd = [&](Programs& programs) {
        programs.push_back(StartResidentLoader(loaderFolder));
        wineboot = Program::Start("C:\\windows\\system32\\wineboot.exe", "--end-session", "C:\\");
    };
    auto oldOrTurnedList = [&] {
        std::vector<ListEntry> turned = list;
        std::rotate(turned.begin(), turned.begin() + 1, turned.end());
        const std::string bytes = Dat(loaderFolder);
        ASSERT_TRUE(bytes == SettingsText(list) || bytes == SettingsText(turned)) << bytes.substr(0, 120);
        if (bytes == SettingsText(turned)) list = turned;
        if (const auto bitmap = loaderFolder.ReadFile("Quilloria.bmp")) {
            const BitmapFile bmp = ParseBitmap(*bitmap);
            EXPECT_TRUE(bmp.valid && bmp.width == 1200 && bmp.height == 900) << "a half-written Quilloria.bmp";
        }
    };
    auto unkilledSessionEnd = [&] {
        Programs programs;
        sessionEnd(programs);
        EXPECT_TRUE(programs[0].WaitForExit(10000)) << "the loader ends with the session";
        EXPECT_TRUE(wineboot.WaitForExit(30000));
        const std::string before = SettingsText(list);
        oldOrTurnedList();
        EXPECT_NE(Dat(loaderFolder), before) << "the list was not turned";
    };
    // The kills are spread over the time it takes the loader to end.
    const DWORD sessionStart = GetTickCount();
    unkilledSessionEnd();
    const int sessionEndMs = static_cast<int>(GetTickCount() - sessionStart) * 3 / 4;

    const KillRow rows[] = {
        {"one program saving lists of 1 to 3000 pictures", saves, 200, 60,
         [&](Programs& p) { p.push_back(saveLoop(saves, 'A')); }, [&] { newerList(saves); },
         [&] { finishSaves(saves, "A"); }},
        {"two programs saving into one file at once", twoWriters, 60, 60,
         [&](Programs& p) { p.push_back(saveLoop(twoWriters, 'A')), p.push_back(saveLoop(twoWriters, 'B')); },
         [&] { newerList(twoWriters); }, [&] { finishSaves(twoWriters, "AB"); }},
        {"the loader at its session-end work", loaderFolder, 30, sessionEndMs, sessionEnd, oldOrTurnedList,
         unkilledSessionEnd},
    };
    const testing::TestResult& result = *testing::UnitTest::GetInstance()->current_test_info()->result();
    for (const KillRow& row : rows) {
        SCOPED_TRACE(row.what);
        const int failuresBeforeRow = result.total_part_count();
        int survived = 0, landed = 0;
        // A kill that comes after the work has ended does not count, and is tried again.
        for (int attempt = 0; landed < row.kills && attempt < 4 * row.kills && !HasFatalFailure(); ++attempt) {
            SCOPED_TRACE("attempt " + std::to_string(attempt + 1));
            const int failuresBefore = result.total_part_count();
            Programs programs;
            row.start(programs);
            const DWORD killAt = GetTickCount() + std::uniform_int_distribution<DWORD>(0, row.maxDelayMs)(random);
            do {  // meanwhile a reader, as the other program is
                row.check();
                Sleep(2);
            } while (GetTickCount() < killAt && !HasFatalFailure());
            const bool running = programs[0].Running();
            for (Program& program : programs) program.Kill();
            wineboot.WaitForExit(30000);
            row.check();
            landed += running;
            survived += running && result.total_part_count() == failuresBefore;
        }
        // A leftover of a killed save, even one that carries the read-only attribute, stops nothing.
        row.folder.WriteFile("Quilloria.dat.new", "\"Version 1.1\"\r\n5\r\n3,\"C:\\half");
        SetFileAttributesA((row.folder / "Quilloria.dat.new").c_str(), FILE_ATTRIBUTE_READONLY);
        row.finish();
        EXPECT_FALSE(row.folder.Exists("Quilloria.dat.new"));
        EXPECT_EQ(landed, row.kills) << "too few kills came while the work ran";
        std::printf("figure: kills survived: %d of %d, %s, %s: %s\n", survived, landed, row.what, Arch(),
                    survived == landed && result.total_part_count() == failuresBeforeRow ? "nothing lost" : "FAILED");
        std::fflush(stdout);
    }
}

// The configuration program's "&OK" and the loader's session end save at about the same moment:
// whichever saves last wins, with its whole list. The session end is sent as Windows sends it, to
// the loader and then to the configuration program, so that the two saves overlap and a program
// that does not answer is reported.
TEST(KillDuringSave, OkAndSessionEndAtOnceLeaveOneWholeList) {
    AutostartGuard autostart;
    SavedDesktopValues savedValues;
    std::vector<ListEntry> atStart(2000, {3, "C:\\a.bmp", 0, false}), changed(2000, {3, "C:\\b.bmp", 1, false});
    atStart[0].path = changed[0].path = "C:\\first.bmp";
    auto turned = [](std::vector<ListEntry> list) {
        std::rotate(list.begin(), list.begin() + 1, list.end());
        return SettingsText(list);
    };
    const std::string wholeLists[] = {SettingsText(atStart), turned(atStart), turned(changed)};
    for (int offsetMs : {0, 2, 5, 10, 20, 40}) {
        SCOPED_TRACE("session end " + std::to_string(offsetMs) + " ms after the click");
        AppFolder folder;
        folder.InstallProgram("QLLoader.exe");
        ConfigSession config(folder, SettingsText(atStart).c_str());
        ASSERT_TRUE(config.window);
        config.SetChecked(cAuto, true);  // no question about the running loader
        Program loader = StartResidentLoader(folder);
        folder.WriteFile("Quilloria.dat", SettingsText(changed));
        ASSERT_TRUE(Click(config.Control(btnOK)));
        Sleep(offsetMs);
        EXPECT_TRUE(SendSessionEnd(loader.Id()));
        EXPECT_TRUE(SendSessionEnd(config.program.Id()));
        EXPECT_TRUE(loader.WaitForExit(5000) && config.program.WaitForExit(5000));
        const std::string bytes = Dat(folder);
        EXPECT_NE(std::find(std::begin(wholeLists), std::end(wholeLists), bytes), std::end(wholeLists))
            << bytes.size() << " bytes: " << bytes.substr(0, 60);
        EXPECT_FALSE(folder.Exists("Quilloria.dat.new"));
    }
}

}  // namespace
