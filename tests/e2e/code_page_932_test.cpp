// A Japanese user's journey under code page 932: the program folder and the picture folder have
// names whose last character ends in the byte of a backslash (so 83 5C, hyou 95 5C). Run only by
// its own CTest entry, which gives the programs a Japanese locale.
#include <gtest/gtest.h>

#include "config_session.h"
#include "e2e_pictures.h"

namespace {

using namespace e2e;
using namespace loader_e2e;

TEST(CodePage932, JapaneseFoldersFromTheDialogToTheWallpaper) {
    ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
    AutostartGuard autostart;
    SavedDesktopValues desktop;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string parent = std::string(temp) + "ql-\x83\x5C\\";  // ql-so
    CreateDirectoryA(parent.c_str(), nullptr);
    {
        AppFolder folder(parent);
        folder.InstallProgram("QLLoader.exe");
        folder.InstallProgram("Quilloria.exe");
        const std::string pictures = folder / "\x8E\xCA\x90\x5E\\\x95\x5C";  // shashin\hyou
        CreateDirectoryA((folder / "\x8E\xCA\x90\x5E").c_str(), nullptr);
        CreateDirectoryA(pictures.c_str(), nullptr);
        const std::string jpeg = pictures + "\\a.jpg", bitmap = pictures + "\\\x83\x5C.bmp";
        namespace tp = test_pictures;
        ASSERT_TRUE(tp::EncodeWithWic(jpeg, GUID_ContainerFormatJpeg, 64, 48, tp::Quadrants(64, 48)));
        tp::WriteBytes(bitmap, tp::BitmapFile(30, 20, tp::Quadrants(30, 20)));

        // Both pictures in one selection through the real dialog: the folder ends in hyou.
        ConfigSession config(folder);
        ASSERT_TRUE(config.window);
        DWORD process = 0;
        GetWindowThreadProcessId(config.window, &process);
        ASSERT_TRUE(Click(config.Control(btnAdd)));
        ASSERT_TRUE(PickFiles(process, pictures, "\"a.jpg\" \"\x83\x5C.bmp\""));
        ASSERT_TRUE(WaitUntil([&] { return config.Rows().size() == 2; }));
        EXPECT_EQ(config.Rows(), (std::vector<std::string>{"a.jpg", "\x83\x5C.bmp"}));

        // The picture named so in the folder hyou previews: no error, the style controls on.
        ClickListRow(config.Control(lPix), 1);
        EXPECT_FALSE(WaitForError(process, 1000));
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(config.Control(cStretch)); }));

        // Saved in code page 932, the folder lengths counted in characters.
        ASSERT_TRUE(Click(config.Control(btnOK)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(config.window); }, 10000));
        const std::string folderPart = pictures + "\\";
        const int chars =
            MultiByteToWideChar(CP_ACP, 0, folderPart.data(), static_cast<int>(folderPart.size()), nullptr, 0);
        EXPECT_EQ(chars + 4, static_cast<int>(folderPart.size())) << "so, sha, shin and hyou take two bytes each";
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), SettingsText({{chars, jpeg, 0, false}, {chars, bitmap, 0, false}}));
        EXPECT_EQ(AutostartGuard::Value(), "\"" + folder.Path() + "QLLoader.exe\"");

        // "OK" started the loader; the session ends: the JPEG is converted and becomes the wallpaper.
        HWND application = WaitForWindowOfFolder(folder, "Quilloria Loader", 10000);
        DWORD loaderId = 0;
        GetWindowThreadProcessId(application, &loaderId);
        const HANDLE loader = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, loaderId);
        ASSERT_TRUE(loader) << "OK started no loader";
        EXPECT_TRUE(WaitForWindow(loaderId, [&](HWND w) { return Owner(w) == application; }));
        WaitForInputIdle(loader, 10000);
        EndSession();
        EXPECT_EQ(WaitForSingleObject(loader, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
        CloseHandle(loader);
        EXPECT_EQ(ReadDesktopValues(), (DesktopValues{folder.Path() + "Quilloria.bmp", "0", "0"}));
        const loader_e2e::BitmapFile converted = ParseBitmap(folder.ReadFile("Quilloria.bmp").value_or(""));
        ASSERT_TRUE(converted.valid);
        EXPECT_EQ(converted.width, 64);
        EXPECT_TRUE(Near(converted.At(5, 5), 0xFF0000));
        EXPECT_EQ(folder.ReadFile("Quilloria.dat"), SettingsText({{chars, bitmap, 0, false}, {chars, jpeg, 0, false}}));
    }
    RemoveDirectoryA(parent.c_str());
}

}  // namespace
