// The loader's start-up as a user meets it: first start without a list, a second loader, a
// missing configuration program, a foreign settings file.
#include <gtest/gtest.h>

#include "driver.h"

namespace {

using namespace e2e;

const char kOneBitmapList[] = "\"Version 1.1\"\r\n1\r\n3,\"C:\\a.bmp\",0,#FALSE#\r\n";

// The loader's application window (titled "Quilloria Loader") and the hidden window it owns.
struct LoaderWindows {
    HWND application = nullptr;
    HWND main = nullptr;
};

LoaderWindows FindLoaderWindows(const Program& loader, int timeoutMs = 5000) {
    LoaderWindows found;
    found.application = WaitForWindowTitled(loader.Id(), "Quilloria Loader", timeoutMs);
    if (found.application) {
        found.main = WaitForWindow(loader.Id(), [&](HWND w) { return Owner(w) == found.application; }, timeoutMs);
    }
    return found;
}

// A loader counts as resident when it keeps running with its hidden windows.
void ExpectResident(const Program& loader) {
    const LoaderWindows windows = FindLoaderWindows(loader);
    ASSERT_NE(windows.application, nullptr);
    ASSERT_NE(windows.main, nullptr) << "the application window owns the loader's main window";
    EXPECT_EQ(WindowText(windows.main), "Quilloria");
    EXPECT_FALSE(IsVisible(windows.application));
    EXPECT_FALSE(IsVisible(windows.main));
    EXPECT_FALSE(loader.WaitForExit(300).has_value()) << "a resident loader keeps running";
}

TEST(LoaderStartup, WithASettingsFileItStaysResidentWithoutStartingConfiguration) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    folder.WriteFile("Quilloria.dat", kOneBitmapList);
    Program loader = Program::Start(folder / "QLLoader.exe");
    ExpectResident(loader);
    EXPECT_FALSE(folder.Exists("StandIn.started"));
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kOneBitmapList) << "start-up only reads the list";
}

TEST(LoaderStartup, WithoutASettingsFileItWaitsForTheConfigurationProgramThenStays) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    Program loader = Program::Start(folder / "QLLoader.exe");

    ASSERT_TRUE(WaitUntil([&] { return folder.Exists("StandIn.started"); }));
    HWND configuration = WaitForWindowOfFolder(folder, "Quilloria Configuration");
    ASSERT_NE(configuration, nullptr);
    // Found as soon as it exists; the program shows it a moment later.
    EXPECT_TRUE(WaitUntil([&] { return IsVisible(configuration); }));
    EXPECT_FALSE(loader.WaitForExit(300).has_value()) << "the loader waits while configuration runs";
    // It answers a session end meanwhile; one that another program cancels leaves it waiting.
    EXPECT_TRUE(SendSessionEnd(loader.Id(), false));
    EXPECT_FALSE(loader.WaitForExit(1000).has_value());

    PostMessageA(configuration, WM_CLOSE, 0, 0);
    ExpectResident(loader);
}

TEST(LoaderStartup, AForeignHeaderIsDeletedAndConfigurationStarted) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    folder.WriteFile("Quilloria.dat", "\"Version 2.0\"\r\n0\r\n");
    Program loader = Program::Start(folder / "QLLoader.exe");
    ASSERT_TRUE(WaitUntil([&] { return folder.Exists("StandIn.started"); }));
    EXPECT_FALSE(folder.Exists("Quilloria.dat"));
}

TEST(LoaderStartup, ADamagedFileIsKeptAndConfigurationStarted) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    const std::string truncated = "\"Version 1.1\"\r\n2\r\n3,\"C:\\a.bmp\",0,#FALSE#\r\n";
    folder.WriteFile("Quilloria.dat", truncated);
    Program loader = Program::Start(folder / "QLLoader.exe");
    ASSERT_TRUE(WaitUntil([&] { return folder.Exists("StandIn.started"); }));
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), truncated);
}

TEST(LoaderStartup, ASecondLoaderEndsAtOnceAndTheFirstKeepsItsTitle) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    folder.WriteFile("Quilloria.dat", kOneBitmapList);
    Program first = Program::Start(folder / "QLLoader.exe");
    const LoaderWindows firstWindows = FindLoaderWindows(first);
    ASSERT_NE(firstWindows.main, nullptr);

    Program second = Program::Start(folder / "QLLoader.exe");
    EXPECT_EQ(second.WaitForExit(5000), std::optional<DWORD>(0));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(WindowText(firstWindows.application), "Quilloria Loader");
    EXPECT_FALSE(folder.Exists("StandIn.started"));
}

// As the machine's and the user's Run value, or a start by hand during the logon, start them: each
// loader renames its own title while it searches, so the search alone lets both stay or neither.
TEST(LoaderStartup, OfTwoLoadersStartedAtOnceExactlyOneStaysEveryTime) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    folder.InstallProgram("SaveLoop.exe");
    folder.WriteFile("Quilloria.dat", kOneBitmapList);
    int rightRounds = 0;
    constexpr int kRounds = 16;
    for (int round = 0; round < kRounds; ++round) {
        Program loaders[] = {Program::Start(folder / "QLLoader.exe"), Program::Start(folder / "QLLoader.exe")};
        WaitUntil([&] { return !loaders[0].Running() || !loaders[1].Running(); }, 10000);
        Sleep(300);  // the survivor has finished its search by now
        if (loaders[0].Running() != loaders[1].Running()) ++rightRounds;
        for (Program& loader : loaders) loader.Kill();
    }
    EXPECT_EQ(rightRounds, kRounds) << "rounds with two resident loaders or none";

    // A loader run as administrator holds the claim with rights that refuse this one even a look:
    // that counts as held, though no window of it is found.
    Program elevatedClaim = Program::Start(folder / "SaveLoop.exe", "claim");
    ASSERT_TRUE(WaitUntil([&] { return folder.Exists("claiming"); }));
    Program loader = Program::Start(folder / "QLLoader.exe");
    EXPECT_EQ(loader.WaitForExit(5000), std::optional<DWORD>(0));
}

TEST(LoaderStartup, AnyProgramOwnedByAWindowTitledLikeTheLoaderCountsAsALoader) {
    AppFolder folder;
    folder.InstallLoaderWithStandIn();
    folder.InstallProgram("StandInConfig.exe", "Other.exe");
    folder.WriteFile("Quilloria.dat", kOneBitmapList);
    Program other = Program::Start(folder / "Other.exe", "--owner Quilloria Loader");
    ASSERT_NE(WaitForWindowTitled(other.Id(), "Quilloria Loader"), nullptr);

    Program loader = Program::Start(folder / "QLLoader.exe");
    EXPECT_EQ(loader.WaitForExit(5000), std::optional<DWORD>(0));
}

TEST(LoaderStartup, AMissingConfigurationProgramIsACriticalErrorAndTheLoaderEnds) {
    AppFolder folder;
    folder.InstallProgram("QLLoader.exe");
    Program loader = Program::Start(folder / "QLLoader.exe");

    const std::optional<MessageBoxView> box = WaitForMessageBox(loader.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "Quilloria - Critical Error:");
    const std::string prefix = "Could not start Quilloria Configuration!!\n\nCause:\n";
    ASSERT_EQ(box->text.rfind(prefix, 0), 0u) << box->text;
    const std::string cause = box->text.substr(prefix.size());
    EXPECT_FALSE(cause.empty());
    EXPECT_EQ(cause.find('\n'), std::string::npos) << "the cause is one line";
    EXPECT_EQ(cause.find('\r'), std::string::npos);
    EXPECT_TRUE(box->HasButton(IDOK));
    EXPECT_FALSE(box->HasButton(IDCANCEL));

    EXPECT_FALSE(loader.WaitForExit(200).has_value()) << "the loader waits for the user's OK";
    ASSERT_TRUE(ClickButton(box->window, IDOK));
    EXPECT_EQ(loader.WaitForExit(5000), std::optional<DWORD>(0));
}

TEST(LoaderStartup, AConfigurationProgramInTheCurrentFolderIsNeverStarted) {
    // Started from another folder that holds a Quilloria.exe of its own, the loader still runs the
    // one beside it; here there is none beside it, so it must report the error.
    AppFolder folder;
    AppFolder elsewhere;
    folder.InstallProgram("QLLoader.exe");
    elsewhere.InstallProgram("StandInConfig.exe", "Quilloria.exe");
    Program loader = Program::Start(folder / "QLLoader.exe", "", elsewhere.Path());
    const std::optional<MessageBoxView> box = WaitForMessageBox(loader.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title, "Quilloria - Critical Error:");
    EXPECT_FALSE(elsewhere.Exists("StandIn.started"));
    ClickButton(box->window, IDOK);
    EXPECT_TRUE(loader.WaitForExit(5000).has_value());
}

}  // namespace
