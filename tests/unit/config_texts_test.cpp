// The autostart data and the messages of the configuration program.
#include "config/config_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigTextsTest, AutostartDataIsTheLoaderBesideTheProgram) {
    struct Case {
        const char* folder;
        const char* data;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Quilloria\\", "C:\\Program Files\\Quilloria\\QLLoader.exe"},
        {"C:\\", "C:\\QLLoader.exe"},  // a drive root: no doubled backslash
        {"D:\\Apps", "D:\\Apps\\QLLoader.exe"},
        {"\\\\server\\share\\", "\\\\server\\share\\QLLoader.exe"},
    };
    for (const Case& c : cases) EXPECT_EQ(AutostartData(c.folder), c.data) << c.folder;
}

TEST(ConfigTextsTest, LoaderQuestionWordForWord) {
    EXPECT_EQ(LoaderStillActiveText(),
              "You have choosen to not load the Loader on startup.\n"
              "However, the Loader is still active. If it is active when you\n"
              "shutdown or logout, it will change wallpaper one more time.\n\n"
              "Do you want do unload it now?");
    EXPECT_STREQ(kImportantCaption, "Quilloria - Important:");
    EXPECT_STREQ(kErrorCaption, "Error:");
}

TEST(ConfigTextsTest, FailureMessagesNameTheCause) {
    const std::string on = AutostartFailedText(true, "Access denied.");
    const std::string off = AutostartFailedText(false, "Access denied.");
    EXPECT_NE(on, off);
    for (const std::string& text : {on, off}) {
        EXPECT_NE(text.find("\n\nCause:\nAccess denied.\n\n"), std::string::npos) << text;
        EXPECT_NE(text.find("saved all the same"), std::string::npos) << text;
        EXPECT_EQ(text.find('\r'), std::string::npos);
    }
    const std::string save = SaveFailedText("C:\\Q\\Quilloria.dat", "Disk full.");
    EXPECT_NE(save.find("C:\\Q\\Quilloria.dat"), std::string::npos);
    EXPECT_NE(save.find("Cause:\nDisk full."), std::string::npos);
    EXPECT_NE(save.find("stays open"), std::string::npos);
}

}  // namespace
