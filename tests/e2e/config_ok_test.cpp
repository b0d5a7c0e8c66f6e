// "&OK": the autostart value, the question about a running loader, saving the list, and the
// failures the user is told about.
#include <gtest/gtest.h>

#include "config_session.h"
#include "loader_session.h"

namespace {

using namespace e2e;

const char kQuestion[] =
    "You have choosen to not load the Loader on startup.\n"
    "However, the Loader is still active. If it is active when you\n"
    "shutdown or logout, it will change wallpaper one more time.\n\n"
    "Do you want do unload it now?";

TEST(ConfigOk, AutostartCheckedWritesTheLoaderPathAndSavesTheList) {
    AutostartGuard autostart;
    for (bool registeredBefore : {false, true}) {
        SCOPED_TRACE(registeredBefore ? "value present" : "no value");
        if (registeredBefore) {
            AutostartGuard::Set("C:\\Old\\QLLoader.exe");
        } else {
            AutostartGuard::Clear();
        }
        AppFolder folder;
        ConfigSession config(folder, kThreePictures);
        ASSERT_TRUE(config.window);
        config.SetChecked(cAuto, true);
        folder.WriteFile("Quilloria.dat", kOtherList);  // so that the save shows
        ASSERT_TRUE(Click(config.Control(btnOK)));
        EXPECT_EQ(config.program.WaitForExit(), 0u);
        EXPECT_EQ(AutostartGuard::Value(), folder.Path() + "QLLoader.exe");
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures) << "the list, byte for byte";
    }
}

TEST(ConfigOk, AutostartUncheckedWithoutALoaderDeletesTheValueWithoutAsking) {
    AutostartGuard autostart;
    AutostartGuard::Set("C:\\Old\\QLLoader.exe");
    AppFolder folder;
    ConfigSession config(folder, kThreePictures);
    ASSERT_TRUE(config.window);
    ASSERT_TRUE(config.Checked(cAuto));
    config.SetChecked(cAuto, false);
    folder.WriteFile("Quilloria.dat", kOtherList);
    ASSERT_TRUE(Click(config.Control(btnOK)));
    EXPECT_EQ(config.program.WaitForExit(), 0u) << "no question was asked";
    EXPECT_FALSE(AutostartGuard::Value().has_value());
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures);
}

// A resident loader and the configuration program in one folder; autostart switched off.
TEST(ConfigOk, ARunningLoaderIsAskedAbout) {
    struct Case {
        const char* what;
        int answer;
        bool loaderEnds, configEnds, saved;
    };
    const Case cases[] = {
        {"Yes", IDYES, true, true, true},
        {"No", IDNO, false, true, true},
        {"Cancel", IDCANCEL, false, false, false},
        // Unanswered when the session ends: the "&OK" pressed still saves before the program ends.
        {"the session ends", 0, false, true, true},
    };
    AutostartGuard autostart;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AutostartGuard::Set("C:\\Old\\QLLoader.exe");
        AppFolder folder;
        folder.InstallProgram("Quilloria.exe");
        folder.InstallProgram("QLLoader.exe");
        folder.WriteFile("Quilloria.dat", kThreePictures);
        Program loader = loader_e2e::StartResidentLoader(folder);

        ConfigSession config(folder);
        ASSERT_TRUE(config.window);
        config.SetChecked(cAuto, false);
        folder.WriteFile("Quilloria.dat", kOtherList);
        ASSERT_TRUE(Click(config.Control(btnOK)));
        const auto box = WaitForMessageBox(config.program.Id());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->title, "Quilloria - Important:");
        EXPECT_EQ(box->text, kQuestion);
        EXPECT_TRUE(box->HasButton(IDYES) && box->HasButton(IDNO) && box->HasButton(IDCANCEL));
        EXPECT_FALSE(AutostartGuard::Value().has_value()) << "deleted before the question";
        if (c.answer) {
            ASSERT_TRUE(ClickButton(box->window, c.answer));
        } else {
            SendSessionEnd(config.program.Id());
        }

        if (c.loaderEnds) {
            EXPECT_EQ(loader.WaitForExit(), 0u);
        } else {
            EXPECT_FALSE(loader.WaitForExit(300).has_value());
        }
        if (c.configEnds) {
            EXPECT_EQ(config.program.WaitForExit(), 0u);
        } else {
            EXPECT_FALSE(config.program.WaitForExit(300).has_value());
            EXPECT_TRUE(IsVisible(config.window));
        }
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), c.saved ? kThreePictures : kOtherList);
        EXPECT_FALSE(AutostartGuard::Value().has_value());
    }
}

// The loader finds no settings file and starts the configuration program from its folder.
TEST(ConfigOk, FirstStartThroughTheLoader) {
    AutostartGuard autostart;
    AutostartGuard::Clear();
    AppFolder folder;
    folder.InstallProgram("Quilloria.exe");
    folder.InstallProgram("QLLoader.exe");
    Program loader = Program::Start(folder / "QLLoader.exe");
    HWND window = WaitForWindowOfFolder(folder, "Quilloria Configuration", 10000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(Child(window, ControlId(fList))); }));
    EXPECT_EQ(SendMessageA(Child(window, ControlId(lPix)), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(Child(window, ControlId(cAuto)), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(Click(Child(window, ControlId(btnCancel))));
    ASSERT_TRUE(WaitForWindowTitled(loader.Id(), "Quilloria Loader"));
    EXPECT_FALSE(loader.WaitForExit(300).has_value()) << "the loader went on to stay resident";
}

// A loader that waits for a configuration program (it found no settings file) is found and can be
// ended from another configuration program, although it answers no messages while it waits.
TEST(ConfigOk, AWaitingLoaderIsFoundAndEnded) {
    AutostartGuard autostart;
    AutostartGuard::Clear();
    AppFolder waiting;
    waiting.InstallLoaderWithStandIn();
    Program loader = Program::Start(waiting / "QLLoader.exe");
    ASSERT_TRUE(WaitUntil([&] { return waiting.Exists("StandIn.started"); }));

    AppFolder folder;
    ConfigSession config(folder, kThreePictures);
    ASSERT_TRUE(config.window);
    config.SetChecked(cAuto, false);
    folder.WriteFile("Quilloria.dat", kOtherList);
    ASSERT_TRUE(Click(config.Control(btnOK)));
    const auto box = WaitForMessageBox(config.program.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Quilloria - Important:");
    ASSERT_TRUE(ClickButton(box->window, IDYES));
    EXPECT_EQ(loader.WaitForExit(), 0u);
    EXPECT_EQ(config.program.WaitForExit(), 0u);
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures);
}

// The Run key's values, to take the key away for a test and bring it back.
struct SavedKey {
    struct Value {
        std::string name;
        DWORD type;
        std::string data;
    };
    std::vector<Value> values;

    static SavedKey TakeAway(const char* path) {
        SavedKey saved;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            for (DWORD i = 0;; ++i) {
                char name[512];
                DWORD nameSize = sizeof(name);
                BYTE data[4096];
                DWORD dataSize = sizeof(data);
                DWORD type = 0;
                if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
                saved.values.push_back({std::string(name, nameSize), type, std::string(reinterpret_cast<char*>(data), dataSize)});
            }
            RegCloseKey(key);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
        return saved;
    }
    void BringBack(const char* path) const {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return;
        for (const Value& v : values) {
            RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                           static_cast<DWORD>(v.data.size()));
        }
        RegCloseKey(key);
    }
};

// A program started normally on today's Windows may not write the machine-wide value (here: its
// Run key is taken away). The user's own value starts the loader instead: no message, the list
// saved, and after the session's end Wine starts the loader from it, as a logon does.
TEST(ConfigOk, WithoutTheMachineWideKeyTheUsersValueStartsTheLoader) {
    AutostartGuard autostart;
    AutostartGuard::Clear();
    AppFolder folder;
    folder.InstallProgram("QLLoader.exe");
    ConfigSession config(folder, kThreePictures);
    ASSERT_TRUE(config.window);
    config.SetChecked(cAuto, true);
    folder.WriteFile("Quilloria.dat", kOtherList);

    const SavedKey saved = SavedKey::TakeAway(kRunKey);
    ASSERT_TRUE(Click(config.Control(btnOK)));
    const auto exitCode = config.program.WaitForExit();
    saved.BringBack(kRunKey);
    ASSERT_EQ(exitCode, 0u) << "OK ended the program without a message";
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures);
    EXPECT_FALSE(AutostartGuard::Value().has_value());
    EXPECT_EQ(AutostartGuard::UserValue(), folder.Path() + "QLLoader.exe");

    EndSession();
    EXPECT_TRUE(WaitForWindowOfFolder(folder, "Quilloria Loader", 10000)) << "the loader was not started at logon";
}

// The settings file cannot be written: the user is told why and the window stays open; once the
// cause is gone, "&OK" saves and ends.
TEST(ConfigOk, AListThatCannotBeSavedIsReportedAndTheWindowStays) {
    AutostartGuard autostart;
    AutostartGuard::Clear();
    AppFolder folder;
    ConfigSession config(folder, kThreePictures);
    ASSERT_TRUE(config.window);
    config.SetChecked(cAuto, false);
    folder.WriteFile("Quilloria.dat", kOtherList);
    // A folder where the new file has to be written makes the save fail.
    const std::string blocker = folder / "Quilloria.dat.new";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));

    ASSERT_TRUE(Click(config.Control(btnOK)));
    const auto box = WaitForMessageBox(config.program.Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->title, "Error:");
    EXPECT_NE(box->text.find(folder / "Quilloria.dat"), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("Cause:\n"), std::string::npos) << box->text;
    ASSERT_TRUE(ClickButton(box->window, IDOK));
    EXPECT_FALSE(config.program.WaitForExit(300).has_value());
    EXPECT_TRUE(IsVisible(config.window));
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kOtherList);

    RemoveDirectoryA(blocker.c_str());
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(btnOK)); }));
    ASSERT_TRUE(Click(config.Control(btnOK)));
    EXPECT_EQ(config.program.WaitForExit(), 0u);
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kThreePictures);
}

}  // namespace
