// The loader's one job, as Windows sees it: when the session ends it registers entry 1 of the
// list as the wallpaper (converting a GIF or JPEG into Quilloria.bmp), moves that entry to the
// end and saves the list; any other close changes nothing.
#include <gtest/gtest.h>

#include "../win/damaged_pictures.h"
#include "../win/test_pictures.h"
#include "driver.h"
#include "loader/notice_layout.h"
#include "e2e_pictures.h"
#include "loader_session.h"

namespace {

using namespace e2e;
using namespace loader_e2e;
namespace tp = test_pictures;

class SessionEndTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.InstallLoaderWithStandIn();
        CreateDirectoryA((folder_ / "pics").c_str(), nullptr);
    }

    std::string Picture(const std::string& name, int width, int height) { return MakePicture(folder_, name, width, height); }

    // Starts the loader, ends the session and waits until the loader has gone.
    void SessionEnds() {
        Program loader = StartResidentLoader(folder_);
        EXPECT_TRUE(EndSession());
        EXPECT_TRUE(loader.WaitForExit(10000).has_value()) << "the loader ends with the session";
    }

    std::string TempBitmap() const { return folder_ / "Quilloria.bmp"; }

    SavedDesktopValues savedValues_;
    AppFolder folder_;
};

TEST_F(SessionEndTest, AMixedListTurnsInACycleInAllThreeStyles) {
    const std::string rootBitmap = "C:\\ql-e2e-root-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    tp::WriteBytes(rootBitmap, tp::BitmapFile(30, 20, tp::Quadrants(30, 20)));
    struct Case {
        ListEntry entry;
        bool converted;      // registered through Quilloria.bmp
        int width, height;   // of the converted picture; 0: conversion fails
    };
    const std::vector<Case> cases = {
        {Entry(Picture("a.jpg", 64, 48), 0, false), true, 64, 48},                    // centred
        {Entry(rootBitmap, 1, true), false, 0, 0},                                    // tiled, Stretch left over
        {Entry(Picture("Old.BMP", 24, 16), 0, true), false, 0, 0},                    // stretched
        {Entry(Picture("c.gif", 40, 30), 1, false), true, 40, 30},                    // tiled
        {Entry(folder_ / "pics\\missing.jpg", 0, true), true, 0, 0},                  // gone from the disk
    };
    std::vector<ListEntry> list;
    for (const Case& c : cases) list.push_back(c.entry);
    folder_.WriteFile("Quilloria.dat", SettingsText(list));

    std::optional<std::string> lastBitmap;
    for (size_t run = 0; run < cases.size() + 3; ++run) {
        const Case& c = cases[run % cases.size()];
        SCOPED_TRACE("session end " + std::to_string(run + 1) + ": " + c.entry.path);
        SessionEnds();

        const DesktopValues values = ReadDesktopValues();
        EXPECT_EQ(values.wallpaper, c.converted ? TempBitmap() : c.entry.path);
        EXPECT_EQ(values.style, std::string(c.entry.tile == 0 && c.entry.stretch ? "2" : "0"));
        EXPECT_EQ(values.tile, std::to_string(c.entry.tile));

        const std::optional<std::string> bitmap = folder_.ReadFile("Quilloria.bmp");
        if (!c.converted) {
            EXPECT_FALSE(bitmap.has_value()) << "a bitmap entry needs no temporary bitmap";
        } else if (c.width == 0) {
            EXPECT_EQ(bitmap, lastBitmap) << "a failed conversion leaves the temporary bitmap as it was";
        } else {
            ASSERT_TRUE(bitmap.has_value());
            const BitmapFile bmp = ParseBitmap(*bitmap);
            ASSERT_TRUE(bmp.valid);
            EXPECT_TRUE(bmp.bottomUp);
            EXPECT_EQ(bmp.width, c.width);
            EXPECT_EQ(bmp.height, c.height);
            EXPECT_TRUE(Near(bmp.At(c.width / 4, c.height / 4), tp::kRed));
            EXPECT_TRUE(Near(bmp.At(c.width * 3 / 4, c.height * 3 / 4), tp::kWhite));
        }
        lastBitmap = bitmap;

        std::rotate(list.begin(), list.begin() + 1, list.end());
        EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText(list));
    }
    DeleteFileA(rootBitmap.c_str());
}

// Sentinel values that no run of the loader writes.
void WriteSentinels() { WriteDesktopValues("C:\\before.bmp", "7", "5"); }
const DesktopValues kSentinels{std::string("C:\\before.bmp"), std::string("7"), std::string("5")};

// Another program refuses to let the session end. Windows has asked every program
// (WM_QUERYENDSESSION) and then tells each one that the session goes on (WM_ENDSESSION with
// FALSE). Wine asks the programs one by one in the order of their process ids and stops at the
// first refusal, so whether a refusing program comes before the loader would depend on ids that
// the test cannot choose: the driver sends the loader's windows what Windows sends.
TEST_F(SessionEndTest, ACancelledSessionEndChangesNothingAndTheLoaderStays) {
    const std::vector<ListEntry> list = {Entry(Picture("a.jpg", 32, 32), 0, true), Entry(Picture("b.bmp", 8, 8), 1, false)};
    folder_.WriteFile("Quilloria.dat", SettingsText(list));
    WriteSentinels();
    Program loader = StartResidentLoader(folder_);
    EXPECT_TRUE(SendSessionEnd(loader.Id(), false)) << "the loader lets the session end";

    EXPECT_FALSE(loader.WaitForExit(1000).has_value()) << "the loader stays resident";
    EXPECT_EQ(ReadDesktopValues(), kSentinels);
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText(list));
    EXPECT_FALSE(folder_.Exists("Quilloria.bmp"));

    // The next session end is handled as usual.
    EXPECT_TRUE(EndSession());
    EXPECT_TRUE(loader.WaitForExit(10000).has_value());
    EXPECT_EQ(ReadDesktopValues().wallpaper, TempBitmap());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText({list[1], list[0]}));
}

// What other programs may send the loader: a DPI change without its rectangle, and an installer's
// close (the Restart Manager's ENDSESSION_CLOSEAPP) while the session goes on.
TEST_F(SessionEndTest, AnInstallersCloseEndsTheLoaderWithoutAChangeAndStrayMessagesDoNoHarm) {
    const std::vector<ListEntry> list = {Entry(Picture("a.jpg", 32, 32), 0, true), Entry(Picture("b.bmp", 8, 8), 1, false)};
    folder_.WriteFile("Quilloria.dat", SettingsText(list));
    WriteSentinels();
    Program loader = StartResidentLoader(folder_);
    auto sendAll = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        for (HWND window : TopLevelWindows(loader.Id())) {
            SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, nullptr);
        }
    };
    sendAll(WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    EXPECT_FALSE(loader.WaitForExit(300).has_value()) << "a DPI message without its rectangle ended the loader";
    sendAll(WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP);
    sendAll(WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(loader.WaitForExit(5000), std::optional<DWORD>(0)) << "the loader ends as the installer asks";
    EXPECT_EQ(ReadDesktopValues(), kSentinels);
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText(list));
    EXPECT_FALSE(folder_.Exists("Quilloria.bmp"));
}

// Windows ends the loader during a long conversion, or another program holds the name of the
// list's writer turn: the list turns all the same, so the next session end brings the next
// picture, and the desktop always has a wallpaper file. What unfinished writes leave goes once old.
TEST_F(SessionEndTest, ACutConversionLeavesAWallpaperAndTheListTurns) {
    folder_.InstallProgram("SaveLoop.exe");
    const std::vector<ListEntry> list = {Entry(Picture("a.bmp", 8, 8), 0, false),
                                         Entry(Picture("big.jpg", 4000, 3000), 0, false),
                                         Entry(Picture("c.bmp", 8, 8), 1, false)};
    auto turned = [&](size_t times) {
        std::vector<ListEntry> l = list;
        std::rotate(l.begin(), l.begin() + static_cast<long>(times % l.size()), l.end());
        return SettingsText(l);
    };
    folder_.WriteFile("Quilloria.dat", SettingsText(list));
    tp::WriteBytes(TempBitmap(), tp::BitmapFile(4, 4, tp::Quadrants(4, 4)));  // an earlier conversion's
    SessionEnds();  // a.bmp: registered by its own path, and the temporary bitmap goes
    EXPECT_EQ(ReadDesktopValues().wallpaper, list[0].path);
    EXPECT_FALSE(folder_.Exists("Quilloria.bmp"));

    HWND main = nullptr;
    Program loader = StartResidentLoader(folder_, &main);
    Program wineboot = Program::Start("C:\\windows\\system32\\wineboot.exe", "--end-session", "C:\\");
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main) || !loader.Running(); }, 10000));  // the notice: converting
    EXPECT_TRUE(loader.Running()) << "the conversion ended before the kill";
    loader.Kill();
    EXPECT_TRUE(wineboot.WaitForExit(30000).has_value());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), turned(2));
    EXPECT_EQ(ReadDesktopValues().wallpaper, list[0].path) << "the values named a bitmap not yet made";

    // Leftovers of saves that were ended half way: an old one goes, a young one may be a peer's.
    auto plant = [&](const char* name, int minutesAgo) {
        folder_.WriteFile(name, "x");
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= static_cast<ULONGLONG>(minutesAgo) * 60 * 10'000'000;
        const FILETIME then{t.LowPart, t.HighPart};
        HANDLE file = CreateFileA((folder_ / name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, &then, nullptr, &then);
        CloseHandle(file);
    };
    plant("Quilloria.dat.1f-2e-3.new", 2);
    plant("Quilloria.dat.4d-5c-6.new", 0);
    SessionEnds();  // c.bmp: no conversion is needed, nor its unfinished file
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), turned(3));
    EXPECT_EQ(ReadDesktopValues().wallpaper, list[2].path);
    EXPECT_FALSE(folder_.Exists("Quilloria.bmp.new"));
    EXPECT_FALSE(folder_.Exists("Quilloria.dat.1f-2e-3.new"));
    EXPECT_TRUE(folder_.Exists("Quilloria.dat.4d-5c-6.new"));
    DeleteFileA((folder_ / "Quilloria.dat.4d-5c-6.new").c_str());

    Program squatter = Program::Start(folder_ / "SaveLoop.exe", "squat");
    ASSERT_TRUE(WaitUntil([&] { return folder_.Exists("squatting"); }));
    loader = StartResidentLoader(folder_);
    const DWORD started = GetTickCount();
    EndSession();
    EXPECT_TRUE(loader.WaitForExit(10000).has_value());
    std::printf("figure: session end with the writer turn held by another program: %lu ms until the loader ended, %s\n",
                GetTickCount() - started, sizeof(void*) == 8 ? "x64" : "x86");
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), turned(4)) << "the list did not turn";
    WIN32_FIND_DATAA found{};
    const HANDLE leftover = FindFirstFileA((folder_ / "*.new").c_str(), &found);
    EXPECT_EQ(leftover, INVALID_HANDLE_VALUE) << "left beside the list: " << found.cFileName;
    if (leftover != INVALID_HANDLE_VALUE) FindClose(leftover);
}

TEST_F(SessionEndTest, ClosingTheLoaderAnyOtherWayChangesNothing) {
    const std::vector<ListEntry> list = {Entry(Picture("a.jpg", 32, 32), 0, true), Entry(Picture("b.bmp", 8, 8), 1, false)};
    folder_.WriteFile("Quilloria.dat", SettingsText(list));
    for (const char* way : {"its window's close", "the task list"}) {
        SCOPED_TRACE(way);
        WriteSentinels();
        HWND main = nullptr, application = nullptr;
        Program loader = StartResidentLoader(folder_, &main, &application);
        PostMessageA(std::string(way) == "the task list" ? application : main, WM_CLOSE, 0, 0);
        EXPECT_EQ(loader.WaitForExit(5000), std::optional<DWORD>(0));
        EXPECT_EQ(ReadDesktopValues(), kSentinels);
        EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText(list));
        EXPECT_FALSE(folder_.Exists("Quilloria.bmp"));
    }
}

TEST_F(SessionEndTest, AnEmptyListChangesNothing) {
    const std::string empty = "\"Version 1.1\"\r\n0\r\n";
    folder_.WriteFile("Quilloria.dat", empty);
    tp::WriteBytes(TempBitmap(), tp::BitmapFile(4, 4, tp::Quadrants(4, 4)));
    WriteSentinels();
    SessionEnds();
    EXPECT_EQ(ReadDesktopValues(), kSentinels);
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), empty);
    EXPECT_TRUE(folder_.Exists("Quilloria.bmp"));
}

TEST_F(SessionEndTest, DamagedAndHugePicturesAreSkippedAndTheLoaderEndsNormally) {
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    const std::string jpeg = [&] {
        const std::string path = Picture("good.jpg", 64, 48);
        return tp::ReadBytes(path);
    }();
    std::vector<std::pair<std::string, std::string>> files = {
        {"garbage.jpg", garbage},
        {"zero.gif", ""},
        {"huge.jpg", tp::WithClaimedJpegSize(jpeg, 65000, 65000)},
        {"large.jpg", tp::WithClaimedJpegSize(jpeg, 30000, 30000)},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 3)},
    };
    const size_t alwaysFailing = 4;  // a cut JPEG may decode with its end filled in, as may those below
    // A few of the damaged-picture corpus; a bitmap is converted only under another name.
    for (const auto& file : damaged_pictures::Corpus(damaged_pictures::GoodFiles(folder_ / "pics\\"))) {
        for (const char* pick : {"rle8-run-past-row", "rle8-delta-outside", "palette8-two-colours-for-four", "bitmap24-gigapixels",
                                 "photo-palette-shrunk", "photo-lzw12", "photo-no-huffman", "photo-named.gif"}) {
            if (file.name.rfind(pick, 0) == 0) files.push_back({file.name + (file.name.ends_with(".bmp") ? ".gif" : ""), file.bytes});
        }
    }
    ASSERT_EQ(files.size(), 13u);
    std::vector<ListEntry> list;
    for (const auto& [name, bytes] : files) {
        const std::string path = folder_ / ("pics\\" + name);
        tp::WriteBytes(path, bytes);
        list.push_back(Entry(path, 0, false));
    }
    folder_.WriteFile("Quilloria.dat", SettingsText(list));
    for (size_t run = 0; run < files.size(); ++run) {
        SCOPED_TRACE(files[run].first);
        const DesktopValues before = ReadDesktopValues();
        const DWORD started = GetTickCount();
        SessionEnds();
        EXPECT_LT(GetTickCount() - started, 5000u);
        if (folder_.Exists("Quilloria.bmp")) {
            EXPECT_EQ(ReadDesktopValues().wallpaper, TempBitmap());
        } else {
            EXPECT_EQ(ReadDesktopValues(), before) << "a failure with no bitmap to show registered one";
        }
        std::rotate(list.begin(), list.begin() + 1, list.end());
        EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText(list));
        if (run < alwaysFailing) {
            EXPECT_FALSE(folder_.Exists("Quilloria.bmp"));
        } else if (const auto bitmap = folder_.ReadFile("Quilloria.bmp")) {
            EXPECT_TRUE(ParseBitmap(*bitmap).valid) << "Quilloria.bmp is no whole bitmap";
        }
    }
    std::printf("figure: damaged files tried at session end: %zu, %s: %s\n", files.size(),
                sizeof(void*) == 8 ? "x64" : "x86", HasFailure() ? "FAILED" : "no crash, no stall");
}

TEST_F(SessionEndTest, EachExifOrientationComesOutUpright) {
    const std::string plain = tp::ReadBytes(Picture("plain.jpg", 64, 32));
    // Stored: red top-left, green top-right, blue bottom-left, white bottom-right.
    const struct {
        int orientation;
        uint32_t topLeft, topRight, bottomLeft;
    } cases[] = {
        {1, tp::kRed, tp::kGreen, tp::kBlue},  {2, tp::kGreen, tp::kRed, tp::kWhite},
        {3, tp::kWhite, tp::kBlue, tp::kGreen}, {4, tp::kBlue, tp::kWhite, tp::kRed},
        {5, tp::kRed, tp::kBlue, tp::kGreen},  {6, tp::kBlue, tp::kRed, tp::kWhite},
        {7, tp::kWhite, tp::kGreen, tp::kBlue}, {8, tp::kGreen, tp::kWhite, tp::kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("orientation " + std::to_string(c.orientation));
        const std::string path = folder_ / ("pics\\o" + std::to_string(c.orientation) + ".jpg");
        tp::WriteBytes(path, tp::WithExifOrientation(plain, c.orientation));
        folder_.WriteFile("Quilloria.dat", SettingsText({Entry(path, 0, true)}));
        SessionEnds();
        const BitmapFile bmp = ParseBitmap(folder_.ReadFile("Quilloria.bmp").value_or(""));
        ASSERT_TRUE(bmp.valid);
        const bool swapped = c.orientation >= 5;
        EXPECT_EQ(bmp.width, swapped ? 32 : 64);
        EXPECT_EQ(bmp.height, swapped ? 64 : 32);
        EXPECT_TRUE(Near(bmp.At(bmp.width / 4, bmp.height / 4), c.topLeft));
        EXPECT_TRUE(Near(bmp.At(bmp.width * 3 / 4, bmp.height / 4), c.topRight));
        EXPECT_TRUE(Near(bmp.At(bmp.width / 4, bmp.height * 3 / 4), c.bottomLeft));
    }
}

TEST_F(SessionEndTest, TheNoticeShowsTheFileNameDuringAConversionAndHidesAgain) {
    const std::string path = Picture("Big Sunset.jpg", 4000, 3000);
    folder_.WriteFile("Quilloria.dat", SettingsText({Entry(path, 0, false)}));
    HWND main = nullptr;
    Program loader = StartResidentLoader(folder_, &main);
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(IsVisible(main));

    // The session end runs beside the driver, which watches the loader's window meanwhile.
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION wineboot{};
    char commandLine[] = "C:\\windows\\system32\\wineboot.exe --end-session";
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup, &wineboot));
    CloseHandle(wineboot.hThread);

    bool seen = false, hiddenAgain = false;
    RECT shown{}, client{};
    std::vector<std::string> texts;
    std::vector<RECT> places;
    const DWORD started = GetTickCount();
    while (IsWindow(main) && GetTickCount() - started < 10000) {
        const bool visible = IsVisible(main);
        if (visible && !seen) {
            seen = true;
            GetWindowRect(main, &shown);
            client = ClientRect(main);
            // The loader lets no messages through while it converts: the texts the controls hold,
            // read without asking the loader.
            for (HWND child : Descendants(main)) {
                wchar_t text[256] = {};
                InternalGetWindowText(child, text, 256);
                char narrow[512] = {};
                WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
                texts.push_back(narrow);
                places.push_back(ChildRect(child));
            }
        } else if (!visible && seen) {
            hiddenAgain = true;
            break;
        }
        Sleep(1);
    }
    WaitForSingleObject(wineboot.hProcess, 30000);
    CloseHandle(wineboot.hProcess);
    EXPECT_TRUE(loader.WaitForExit(10000).has_value());

    ASSERT_TRUE(seen) << "the notice did not appear";
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], "<Big Sunset.jpg>");
    EXPECT_EQ(texts[1], "Creating temporary bitmap.");
    EXPECT_EQ(texts[2], "Please wait...");
    // The window and its controls where the notice's table puts them at 96 dpi.
    EXPECT_EQ(client.right, ClientArea(NoticeForm(), 96).width);
    EXPECT_EQ(client.bottom, ClientArea(NoticeForm(), 96).height);
    ASSERT_EQ(places.size(), static_cast<size_t>(kNoticeControlCount));
    for (int row = 0; row < kNoticeControlCount; ++row) {
        const PixelBox box = PlaceInForm(NoticeForm(), row, 96);
        EXPECT_EQ(places[row].left, box.left) << NoticeForm().rows[row].name;
        EXPECT_EQ(places[row].top, box.top) << NoticeForm().rows[row].name;
        EXPECT_EQ(places[row].right - places[row].left, box.width) << NoticeForm().rows[row].name;
        EXPECT_EQ(places[row].bottom - places[row].top, box.height) << NoticeForm().rows[row].name;
    }
    // Centred on the 1024 x 768 screen of the test display.
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((shown.left + shown.right) / 2, screenWidth / 2, 2);
    EXPECT_NEAR((shown.top + shown.bottom) / 2, screenHeight / 2, 2);
    EXPECT_TRUE(hiddenAgain || !IsWindow(main)) << "the notice is hidden before the loader ends";
    const BitmapFile bmp = ParseBitmap(folder_.ReadFile("Quilloria.bmp").value_or(""));
    EXPECT_EQ(bmp.width, 4000);
    EXPECT_EQ(bmp.height, 3000);
}

}  // namespace
