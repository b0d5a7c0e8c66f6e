// The user's whole journey: a first logon without a list, building the list in the configuration
// program the loader opens, saving it with autostart, the session's end, and the next logon.
#include <gtest/gtest.h>

#include "config_session.h"
#include "e2e_pictures.h"

namespace {

using namespace e2e;
using namespace loader_e2e;

TEST(Journey, FromTheFirstLogonToTheNextWallpaper) {
    AutostartGuard autostart;
    SavedDesktopValues desktop;
    AppFolder folder;
    folder.InstallProgram("QLLoader.exe");
    folder.InstallProgram("Quilloria.exe");
    const std::string sunset = MakePicture(folder, "sunset.jpg", 64, 48);
    for (auto [name, width] : {std::pair{"b.gif", 40}, {"c.bmp", 30}, {"d.jpg", 20}}) MakePicture(folder, name, width, 20);

    // No list yet: the loader opens the configuration program and waits for it.
    Program loader = Program::Start(folder / "QLLoader.exe");
    HWND window = WaitForWindowOfFolder(folder, "Quilloria Configuration", 10000);
    ASSERT_TRUE(window) << "the loader did not open the configuration program";
    DWORD config = 0;
    GetWindowThreadProcessId(window, &config);
    // The window is found as soon as it exists, its controls a moment later.
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = Child(window, ControlId(lPix))) && IsVisible(list); }));
    EXPECT_EQ(SendMessageA(Child(window, ControlId(cAuto)), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Three pictures in one selection, one more alone.
    ASSERT_TRUE(Click(Child(window, ControlId(btnAdd))));
    ASSERT_TRUE(PickFiles(config, folder / "pics", "\"c.bmp\" \"sunset.jpg\" \"b.gif\""));
    ASSERT_TRUE(Click(Child(window, ControlId(btnAdd))));
    ASSERT_TRUE(PickFiles(config, folder / "pics", "d.jpg"));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 4; }));

    const auto select = [&](int row) {
        ClickListRow(list, row);
        return WaitUntil([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == row; });
    };
    // sunset.jpg to the top, d.jpg out again, sunset.jpg stretched.
    ASSERT_TRUE(select(1));
    ASSERT_TRUE(Click(Child(window, ControlId(btnUp))));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 0; }));
    ASSERT_TRUE(select(3));
    ASSERT_TRUE(Click(Child(window, ControlId(btnRemove))));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) == 3; }));
    ASSERT_TRUE(select(0));
    HWND stretch = Child(window, ControlId(cStretch));
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(stretch); }));
    ASSERT_TRUE(Click(stretch));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(stretch, BM_GETCHECK, 0, 0) == BST_CHECKED; }));

    // OK with autostart: the list is saved, the program ends, the loader stays resident.
    ASSERT_TRUE(Click(Child(window, ControlId(btnOK))));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 10000));
    EXPECT_EQ(AutostartGuard::Value(), "\"" + folder.Path() + "QLLoader.exe\"");
    const int pics = static_cast<int>((folder / "pics\\").size());
    const std::string b = folder / "pics\\b.gif", c = folder / "pics\\c.bmp";
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"),
              SettingsText({{pics, sunset, 0, true}, {pics, c, 0, false}, {pics, b, 0, false}}));
    ASSERT_TRUE(WaitForWindowTitled(loader.Id(), "Quilloria Loader", 5000)) << "the loader stays resident";
    EXPECT_TRUE(loader.Running());

    // The session ends through Wine's own tool: sunset.jpg becomes the wallpaper, stretched, and
    // moves to the end.
    EXPECT_TRUE(EndSession());
    EXPECT_TRUE(loader.WaitForExit(10000).has_value());
    EXPECT_EQ(ReadDesktopValues(), (DesktopValues{folder.Path() + "Quilloria.bmp", "2", "0"}));
    const BitmapFile bmp = ParseBitmap(folder.ReadFile("Quilloria.bmp").value_or(""));
    ASSERT_TRUE(bmp.valid);
    EXPECT_EQ(bmp.width, 64);
    EXPECT_TRUE(Near(bmp.At(5, 5), 0xFF0000));
    EXPECT_EQ(folder.ReadFile("Quilloria.dat"),
              SettingsText({{pics, c, 0, false}, {pics, b, 0, false}, {pics, sunset, 0, true}}));

    // The next logon: Wine's desktop paints the bitmap (a stretched one centred, as Wine does).
    Program logon = Program::Start("C:\\windows\\explorer.exe", "/desktop=shell,800x600 cmd /c ping -n 11 127.0.0.1");
    ScreenShot shot;
    WaitUntil([&] {
        shot = CaptureScreen(RECT{0, 0, 800, 600});
        return NearColour(shot.At(390, 290), 0xFF0000) && NearColour(shot.At(410, 310), 0xFFFFFF);
    }, 10000);
    EXPECT_TRUE(NearColour(shot.At(390, 290), 0xFF0000)) << std::hex << shot.At(390, 290);
    EXPECT_TRUE(NearColour(shot.At(410, 310), 0xFFFFFF)) << std::hex << shot.At(410, 310);
    logon.WaitForExit(15000);
}

}  // namespace
