// Building the list: moving, removing and clearing rows, adding pictures through the real
// open-file dialog, the list's cap, and "&OK" with odd autostart values or a window closed early.
#include <gtest/gtest.h>

#include "config_session.h"
#include "e2e_pictures.h"

namespace {

using namespace e2e;
using loader_e2e::ListEntry;
using loader_e2e::SettingsText;

int Selected(const ConfigSession& config) {
    return static_cast<int>(SendMessageA(config.Control(lPix), LB_GETCURSEL, 0, 0));
}

class ListEditingTest : public testing::Test {
protected:
    std::vector<ListEntry> Pictures(std::initializer_list<const char*> names) {
        std::vector<ListEntry> list;
        for (const char* name : names) list.push_back(Entry(MakePicture(folder_, name, 16, 12), 0, false));
        return list;
    }
    // Clicks a button and waits until the selection is `row`.
    static void Press(const ConfigSession& config, MainControl button, int row) {
        ASSERT_TRUE(Click(config.Control(button)));
        ASSERT_TRUE(WaitUntil([&] { return Selected(config) == row; })) << "selected " << Selected(config);
    }

    AutostartGuard autostart_;
    AppFolder folder_;
};

// Row i always shows slot i + 1, and the file keeps the order shown.
TEST_F(ListEditingTest, MovesAndRemovesKeepTheRowsAndTheSavedListInStep) {
    const auto list = Pictures({"a.bmp", "b.bmp", "c.bmp", "d.bmp"});
    ConfigSession config(folder_, SettingsText(list).c_str());
    ASSERT_TRUE(config.window);
    EXPECT_FALSE(IsEnabled(config.Control(btnRemove)));

    ASSERT_TRUE(ClickListRow(config.Control(lPix), 0));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(btnRemove)); }));
    Press(config, btnUp, 0);  // the first row up: nothing moves
    Press(config, btnDown, 1);
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"b.bmp", "a.bmp", "c.bmp", "d.bmp"}));
    Press(config, btnDown, 2);
    Press(config, btnDown, 3);
    Press(config, btnDown, 3);  // the last row down: nothing moves
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"b.bmp", "c.bmp", "d.bmp", "a.bmp"}));
    Press(config, btnUp, 2);
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"b.bmp", "c.bmp", "a.bmp", "d.bmp"}));

    ASSERT_TRUE(ClickListRow(config.Control(lPix), 1));  // the middle: the next one is selected
    ASSERT_TRUE(WaitUntil([&] { return Selected(config) == 1; }));
    Press(config, btnRemove, 1);
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"b.bmp", "a.bmp", "d.bmp"}));
    ASSERT_TRUE(ClickListRow(config.Control(lPix), 2));  // the last: the new last one is selected
    ASSERT_TRUE(WaitUntil([&] { return Selected(config) == 2; }));
    Press(config, btnRemove, 1);
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"b.bmp", "a.bmp"}));

    ASSERT_TRUE(Click(config.Control(btnOK)));
    ASSERT_TRUE(config.program.WaitForExit().has_value());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), SettingsText({list[1], list[0]}));
}

TEST_F(ListEditingTest, RemovingTheOnlyPictureEmptiesTheListAndOkThenDoesNothing) {
    const auto list = Pictures({"only.bmp"});
    const std::string saved = SettingsText(list);
    ConfigSession config(folder_, saved.c_str());
    ASSERT_TRUE(ClickListRow(config.Control(lPix), 0));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(btnRemove)); }));
    Press(config, btnRemove, -1);
    EXPECT_TRUE(config.Rows().empty());
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(config.Control(btnRemove)); }));
    ASSERT_TRUE(Click(config.Control(btnOK)));
    EXPECT_FALSE(config.program.WaitForExit(500).has_value()) << "OK with an empty list keeps the window";
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), saved);
}

TEST_F(ListEditingTest, ClearAsksNothingAndCancelKeepsTheFile) {
    const std::string saved = SettingsText(Pictures({"a.bmp", "b.bmp"}));
    ConfigSession config(folder_, saved.c_str());
    ASSERT_TRUE(Click(config.Control(btnClear)));
    ASSERT_TRUE(WaitUntil([&] { return config.Rows().empty(); }));
    EXPECT_FALSE(WaitForMessageBox(config.program.Id(), 300).has_value());
    ASSERT_TRUE(Click(config.Control(btnCancel)));
    ASSERT_TRUE(config.program.WaitForExit().has_value());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), saved);
}

// Several files at once and one alone; a name with another ending is refused by name, each with
// its own message; the selection stays where it was and the new rows come last.
TEST_F(ListEditingTest, AddingThroughTheOpenFileDialog) {
    const auto list = Pictures({"first.bmp", "second.bmp"});
    MakePicture(folder_, "b c.gif", 8, 8);
    MakePicture(folder_, "LOGO.GIF", 8, 8);
    MakePicture(folder_, "x.jpg", 8, 8);
    folder_.WriteFile("pics\\photo.jpeg", "not looked at");
    ConfigSession config(folder_, SettingsText(list).c_str());
    ASSERT_TRUE(ClickListRow(config.Control(lPix), 1));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(btnRemove)); }));

    const std::string pics = folder_ / "pics";
    ASSERT_TRUE(Click(config.Control(btnAdd)));
    ASSERT_TRUE(PickFiles(config.program.Id(), pics, "\"b c.gif\" \"photo.jpeg\" \"LOGO.GIF\""));
    const auto refused = WaitForError(config.program.Id());
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "photo.jpeg\n\nInvalid Picture!\n\nFile will not be added to the list...");
    Acknowledge(*refused);
    ASSERT_TRUE(Click(config.Control(btnAdd)));
    ASSERT_TRUE(PickFiles(config.program.Id(), pics, "x.jpg"));
    ASSERT_TRUE(WaitUntil([&] { return config.Rows().size() == 5; }));
    EXPECT_EQ(config.Rows(), (std::vector<std::string>{"first.bmp", "second.bmp", "b c.gif", "LOGO.GIF", "x.jpg"}));
    EXPECT_EQ(Selected(config), 1);

    ASSERT_TRUE(Click(config.Control(btnOK)));
    ASSERT_TRUE(config.program.WaitForExit().has_value());
    const int folderLength = static_cast<int>(pics.size() + 1);
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"),
              SettingsText({list[0], list[1], {folderLength, pics + "\\b c.gif", 0, false},
                            {folderLength, pics + "\\LOGO.GIF", 0, false}, {folderLength, pics + "\\x.jpg", 0, false}}));
}

// The list holds at most 32767 pictures: what fits is added and the user is told the rest.
TEST_F(ListEditingTest, AddingStopsAtTheCapAndSaysHowManyWereLeftOut) {
    std::vector<ListEntry> full(32766, Entry(MakePicture(folder_, "same.bmp", 4, 4), 0, false));
    MakePicture(folder_, "a.bmp", 4, 4);
    MakePicture(folder_, "b.bmp", 4, 4);
    MakePicture(folder_, "c.bmp", 4, 4);
    ConfigSession config(folder_, SettingsText(full).c_str());
    ASSERT_TRUE(config.window);
    ASSERT_TRUE(Click(config.Control(btnAdd)));
    ASSERT_TRUE(PickFiles(config.program.Id(), folder_ / "pics", "\"a.bmp\" \"b.bmp\" \"c.bmp\""));
    const auto told = WaitForError(config.program.Id());
    ASSERT_TRUE(told.has_value());
    EXPECT_NE(told->text.find("32,767"), std::string::npos) << told->text;
    EXPECT_NE(told->text.find("2 of the selected files were not added"), std::string::npos) << told->text;
    Acknowledge(*told);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(config.Control(lPix), LB_GETCOUNT, 0, 0) == 32767; }));
    wchar_t last[64] = {};
    SendMessageW(config.Control(lPix), LB_GETTEXT, 32766, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(last, L"a.bmp");
}

// Any value of the autostart name starts the loader at logon, so unticking removes it whatever
// its type or length.
TEST_F(ListEditingTest, UntickingRemovesAutostartValuesOfAnyTypeOrLength) {
    const std::string list = SettingsText(Pictures({"a.bmp"}));
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant == 0 ? "expandable text" : "text of 300 characters");
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
        const std::string data = variant == 0 ? "%ProgramFiles%\\Quilloria\\QLLoader.exe" : std::string(300, 'x');
        RegSetValueExA(key, kAutostartName, 0, variant == 0 ? REG_EXPAND_SZ : REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
        RegCloseKey(key);
        AppFolder folder;
        ConfigSession config(folder, list.c_str());
        ASSERT_TRUE(config.window);
        EXPECT_FALSE(config.Checked(cAuto)) << "such a value does not read as registered";
        ASSERT_TRUE(Click(config.Control(btnOK)));
        ASSERT_TRUE(config.program.WaitForExit().has_value());
        EXPECT_FALSE(RegistryValueSize(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName).has_value());
    }
}

// The search for a running loader lets messages through; a window closed meanwhile saves nothing.
TEST_F(ListEditingTest, AWindowClosedDuringTheLoaderSearchSavesNothing) {
    const std::string list = SettingsText(Pictures({"a.bmp"}));
    ConfigSession config(folder_, list.c_str());
    config.SetChecked(cAuto, false);
    folder_.WriteFile("Quilloria.dat", "kept as it is");
    PostMessageA(config.Control(btnOK), BM_CLICK, 0, 0);
    PostMessageA(config.window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(config.program.WaitForExit().has_value());
    EXPECT_EQ(folder_.ReadFile("Quilloria.dat"), "kept as it is");
}

}  // namespace
