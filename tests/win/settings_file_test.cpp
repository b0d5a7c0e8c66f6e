// LoadSettings and SaveSettings on real files in the test program's own folder, which is its
// application folder.
#include "common/settings_file.h"

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "common/settings_codec.h"

namespace {

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = SettingsFilePath();
        RemoveFile();
        Pictures.clear();
    }
    void TearDown() override {
        RemoveFile();
        Pictures.clear();
    }

    void RemoveFile() {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
        DeleteFileA((path_ + ".new").c_str());
    }

    void WriteFile(const std::string& bytes) { ASSERT_EQ(ReplaceFileContents(path_, bytes), 0u); }

    std::string ReadFile() {
        auto bytes = ReadWholeFile(path_, 1 << 26);
        return bytes ? *bytes : std::string("<missing>");
    }

    static PictureSlots ThreePictures() {
        PictureSlots slots = EmptyPictureList();
        slots.push_back({8, "C:\\Pics\\a.jpg", 0, true});
        slots.push_back({3, "D:\\b, c.bmp", 1, false});
        slots.push_back({12, "C:\\My Pics\\c.gif", 0, false});
        return slots;
    }

    std::string path_;
};

TEST_F(SettingsFileTest, AppFolderIsTheProgramFolderWithABackslash) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string folder = AppFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(std::string(module).rfind(folder, 0), 0u);
    EXPECT_EQ(path_, folder + "Quilloria.dat");
}

TEST_F(SettingsFileTest, SaveThenLoadGivesBackTheList) {
    Pictures = ThreePictures();
    ASSERT_EQ(SaveSettings(), 0u);
    EXPECT_EQ(ReadFile(), EncodeSettings(ThreePictures()));
    Pictures.clear();
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(Pictures, ThreePictures());
}

TEST_F(SettingsFileTest, SaveReplacesAnOlderLongerFile) {
    WriteFile(std::string(100000, 'x'));
    Pictures = EmptyPictureList();
    Pictures.push_back({3, "C:\\a.bmp", 0, false});
    ASSERT_EQ(SaveSettings(), 0u);
    EXPECT_EQ(ReadFile(), "\"Version 1.1\"\r\n1\r\n3,\"C:\\a.bmp\",0,#FALSE#\r\n");
    EXPECT_FALSE(PlainFileExists(path_ + ".new"));
}

TEST_F(SettingsFileTest, MissingFileLeavesPicturesAlone) {
    Pictures = ThreePictures();
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Pictures, ThreePictures());
}

TEST_F(SettingsFileTest, HiddenOrSystemFileIsNotSeen) {
    WriteFile(EncodeSettings(ThreePictures()));
    for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        ASSERT_TRUE(SetFileAttributesA(path_.c_str(), attribute));
        EXPECT_FALSE(PlainFileExists(path_));
        EXPECT_FALSE(LoadSettings());
        EXPECT_TRUE(Pictures.empty());
    }
    ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(LoadSettings()) << "a read-only file is a plain file";
}

TEST_F(SettingsFileTest, WrongHeaderDeletesTheFile) {
    WriteFile("\"version 1.1\"\r\n1\r\n3,\"C:\\a.bmp\",0,#FALSE#\r\n");
    Pictures = ThreePictures();
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Pictures, ThreePictures());
    EXPECT_FALSE(PlainFileExists(path_));
}

TEST_F(SettingsFileTest, DamagedFileIsRefusedButKept) {
    const std::string truncated = "\"Version 1.1\"\r\n3\r\n8,\"C:\\Pics\\a.jpg\",0,#TRUE#\r\n";
    WriteFile(truncated);
    Pictures = ThreePictures();
    EXPECT_FALSE(LoadSettings());
    EXPECT_EQ(Pictures, ThreePictures());
    EXPECT_EQ(ReadFile(), truncated);
}

TEST_F(SettingsFileTest, ZeroCountIsAnEmptyList) {
    WriteFile("\"Version 1.1\"\r\n0\r\n");
    ASSERT_TRUE(LoadSettings());
    EXPECT_EQ(Pictures, EmptyPictureList());
}

TEST_F(SettingsFileTest, FailedSaveKeepsTheOldFile) {
    Pictures = ThreePictures();
    ASSERT_EQ(SaveSettings(), 0u);
    const std::string before = ReadFile();
    // A folder where the new file must be written makes the write fail.
    const std::string blocker = path_ + ".new";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    Pictures = EmptyPictureList();
    Pictures.push_back({3, "C:\\other.bmp", 0, false});
    EXPECT_NE(SaveSettings(), 0u);
    RemoveDirectoryA(blocker.c_str());
    EXPECT_EQ(ReadFile(), before);
}

}  // namespace

namespace {

// Both programs take the same writer turn however their folder was named when they started.
TEST(WriterTurn, OneNameForTheLongAndTheShortFormOfTheFolder) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "Quilloria writer turn folder\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char shortForm[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(folder.c_str(), shortForm, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortForm), folder);
    EXPECT_EQ(WriterTurnName(std::string(shortForm) + "Quilloria.dat"), WriterTurnName(folder + "QUILLORIA.DAT"));
    EXPECT_NE(WriterTurnName(folder + "Quilloria.dat"), WriterTurnName(folder + "Quilloria.bmp"));
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
