// "&OK": the autostart value, the question about a running loader, saving the list, and the
// failures the user is told about.
#include <gtest/gtest.h>

#include <algorithm>

#include "config_session.h"
#include "loader_session.h"

namespace {

using namespace e2e;

std::string Quoted(const std::string& path) { return '"' + path + '"'; }

// The processes of the folder's QLLoader.exe that are resident (own a "Quilloria Loader" window).
std::vector<DWORD> LoadersOf(const AppFolder& folder) {
    std::vector<DWORD> ids;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        char image[MAX_PATH * 2] = {};
        DWORD size = sizeof(image);
        if (process && QueryFullProcessImageNameA(process, 0, image, &size) && WindowText(w) == "Quilloria Loader" &&
            lstrcmpiA(image, (folder / "QLLoader.exe").c_str()) == 0 && std::count(ids.begin(), ids.end(), id) == 0) {
            ids.push_back(id);
        }
        if (process) CloseHandle(process);
    }
    return ids;
}

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
        EXPECT_EQ(AutostartGuard::Value(), Quoted(folder / "QLLoader.exe"));
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
    EXPECT_EQ(AutostartGuard::UserValue(), Quoted(folder / "QLLoader.exe"));

    EndSession();
    EXPECT_TRUE(WaitForWindowOfFolder(folder, "Quilloria Loader", 10000)) << "the loader was not started at logon";
}

// "OK" with autostart ticked starts a loader only where none runs and the list was saved: with one
// running there is still that one, and a failed save starts none. (A start where none runs is in
// the next test.)
TEST(ConfigOk, OkStartsNoSecondLoader) {
    AutostartGuard autostart;
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "a loader runs" : "the save fails");
        AutostartGuard::Clear();
        AppFolder folder;
        folder.InstallProgram("QLLoader.exe");
        ConfigSession config(folder, kThreePictures);
        ASSERT_TRUE(config.window);
        Program loader = running ? loader_e2e::StartResidentLoader(folder) : Program();
        config.SetChecked(cAuto, true);
        if (!running) CreateDirectoryA((folder / "Quilloria.dat.new").c_str(), nullptr);
        ASSERT_TRUE(Click(config.Control(btnOK)));
        if (!running) {
            ASSERT_TRUE(WaitForError(config.program.Id()));
        }
        EXPECT_EQ(config.program.WaitForExit(running ? 5000 : 300).has_value(), running);
        Sleep(1000);  // a second loader would be resident by now
        EXPECT_EQ(LoadersOf(folder), running ? std::vector<DWORD>{loader.Id()} : std::vector<DWORD>{});
    }
}

// Task Manager's startup switch turned the value off: the box shows it off, and a tick with "OK"
// leaves a value Windows starts, its switch gone. The folder has a space: the value is written in
// quotes, and an earlier unquoted one counts as on; after the session's end Wine starts the
// loader from the quoted value, as a logon does.
TEST(ConfigOk, AutostartAsWindowsStartsIt) {
    // The machine-wide switch of a 32-bit program's value (the x86 tests run on 64-bit Windows):
    // Run32, in the registry's 64-bit view, where Task Manager keeps it.
    const std::string kSwitchKey = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\") +
                                   (sizeof(void*) == 4 ? "Run32" : "Run");
    const auto setSwitch = [&](HKEY root, const char* data) {
        HKEY key = nullptr;
        RegCreateKeyExA(root, kSwitchKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr);
        RegSetValueExA(key, kAutostartName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(data), data ? 12 : 0);
        if (!data) RegDeleteValueA(key, kAutostartName);
        RegCloseKey(key);
    };
    const auto switchIsThere = [&](HKEY root) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, kSwitchKey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) return false;
        const bool there = RegQueryValueExA(key, kAutostartName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return there;
    };
    AutostartGuard autostart;
    AppFolder outer;
    CreateDirectoryA((outer / "My Tools").c_str(), nullptr);
    AppFolder folder(outer / "My Tools\\");
    const std::string path = folder / "QLLoader.exe";
    {
        AutostartGuard::Clear();
        WriteRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName, Quoted(path));
        setSwitch(HKEY_LOCAL_MACHINE, "\x03\0\0\0\xd4\x0d\x43\x8d\xc8\x3b\xd9\x01");
        ConfigSession config(folder, kThreePictures);
        EXPECT_FALSE(config.Checked(cAuto)) << "switched off";
        config.SetChecked(cAuto, true);
        ASSERT_TRUE(Click(config.Control(btnOK)));
        EXPECT_EQ(config.program.WaitForExit(), 0u) << "no message";
        EXPECT_EQ(AutostartGuard::Value(), Quoted(path));
        EXPECT_FALSE(switchIsThere(HKEY_LOCAL_MACHINE)) << "the switch is gone";
        setSwitch(HKEY_LOCAL_MACHINE, nullptr);
    }
    AutostartGuard::Set(path);  // as earlier versions wrote it
    folder.InstallProgram("QLLoader.exe");
    ConfigSession config(folder);
    EXPECT_TRUE(config.Checked(cAuto));
    ASSERT_TRUE(Click(config.Control(btnOK)));
    EXPECT_EQ(config.program.WaitForExit(), 0u) << "no message";
    EXPECT_EQ(AutostartGuard::Value(), Quoted(path));
    ASSERT_TRUE(WaitUntil([&] { return LoadersOf(folder).size() == 1; }, 10000)) << "OK started one";
    const DWORD first = LoadersOf(folder).front();
    EndSession();
    EXPECT_TRUE(WaitUntil([&] { return LoadersOf(folder).size() == 1 && LoadersOf(folder).front() != first; }, 10000))
        << "the loader was not started from the quoted value";
}

// The user chose to end a running loader that this program may not end (here: a process whose
// security keeps others from ending it): the user is told why, nothing is saved, the window stays.
TEST(ConfigOk, ALoaderThatCannotBeEndedIsReported) {
    AutostartGuard autostart;
    AppFolder folder;
    folder.InstallProgram("QLLoader.exe");
    ConfigSession config(folder, kThreePictures);
    SECURITY_DESCRIPTOR security;
    InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION);
    ACL none;
    InitializeAcl(&none, sizeof(none), ACL_REVISION);
    SetSecurityDescriptorDacl(&security, TRUE, &none, FALSE);
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), &security, FALSE};
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION loader{};
    std::string commandLine = Quoted(folder / "QLLoader.exe");
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), &attributes, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &loader));
    // Only the handle of its creator may end it: ended here whatever the test found, or it would
    // stay for the tests that follow.
    struct EndedAtLast {
        PROCESS_INFORMATION& process;
        ~EndedAtLast() {
            TerminateProcess(process.hProcess, 0);
            WaitForSingleObject(process.hProcess, 5000);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    } endedAtLast{loader};
    ASSERT_TRUE(loader_e2e::WaitUntilLoaderResident(loader.dwProcessId, loader.hProcess));
    config.SetChecked(cAuto, false);
    folder.WriteFile("Quilloria.dat", kOtherList);
    ASSERT_TRUE(Click(config.Control(btnOK)));
    const auto question = WaitForMessageBox(config.program.Id());
    ASSERT_TRUE(question && ClickButton(question->window, IDYES));
    const auto error = WaitForError(config.program.Id());
    ASSERT_TRUE(error);
    EXPECT_NE(error->text.find("could not be ended.\n\nCause:\n"), std::string::npos) << error->text;
    Acknowledge(*error);
    EXPECT_FALSE(config.program.WaitForExit(300).has_value());
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"), kOtherList);
    EXPECT_EQ(WaitForSingleObject(loader.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
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
