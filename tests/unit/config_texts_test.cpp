// The autostart data and the messages of the configuration program.
#include "config/config_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigTextsTest, AutostartDataIsTheQuotedLoaderBesideTheProgram) {
    struct Case {
        const char* folder;
        const char* data;
    };
    const Case cases[] = {
        {"C:\\Users\\Public\\My Tools\\Quilloria\\", "\"C:\\Users\\Public\\My Tools\\Quilloria\\QLLoader.exe\""},
        {"C:\\", "\"C:\\QLLoader.exe\""},  // a drive root: no doubled backslash
        {"D:\\Apps", "\"D:\\Apps\\QLLoader.exe\""},
        {"\\\\server\\share\\", "\"\\\\server\\share\\QLLoader.exe\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutostartData(c.folder, LeadBytes()), c.data) << c.folder;
        // What this version writes, and what earlier ones wrote, name the same loader.
        const std::string path = LoaderPathIn(c.folder, LeadBytes());
        EXPECT_TRUE(NamesLoader(AutostartData(c.folder, LeadBytes()), path)) << c.folder;
        EXPECT_TRUE(NamesLoader(path, path)) << c.folder;
    }
}

TEST(ConfigTextsTest, OnlyTheLoaderItselfIsNamed) {
    const std::string path = "C:\\My Tools\\QLLoader.exe";
    for (const char* data : {"\"C:\\My Tools\\QLLoader.exe", "\"C:\\My Tools\\QLLoader.exe\" /x",
                             "\"C:\\Other\\QLLoader.exe\"", ""}) {
        EXPECT_FALSE(NamesLoader(data, path)) << data;
    }
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
        EXPECT_NE(text.find("\n\nCause:\nAccess denied."), std::string::npos) << text;
        EXPECT_EQ(text.find('\r'), std::string::npos);
    }
    // Switching off, the question about a running loader may follow and cancel the save.
    EXPECT_NE(on.find("saved all the same"), std::string::npos) << on;
    EXPECT_EQ(off.find("saved"), std::string::npos) << off;
}

// A list that cannot be saved: the path, the cause, the window staying open, then what to do about
// a folder the user may not write to.
TEST(ConfigTextsTest, SaveFailureSaysWhereToMoveTheFolder) {
    const std::string save = SaveFailedText("C:\\Program Files\\Quilloria\\Quilloria.dat", "Access denied.");
    const std::string first =
        "The picture list could not be saved to\n"
        "C:\\Program Files\\Quilloria\\Quilloria.dat\n\n"
        "Cause:\nAccess denied.\n\n"
        "The window stays open so that your changes are not lost.\n\n";
    ASSERT_EQ(save.substr(0, first.size()), first);
    const std::string advice = save.substr(first.size());
    EXPECT_NE(advice.find("move the Quilloria folder"), std::string::npos) << advice;
    EXPECT_NE(advice.find("user profile"), std::string::npos) << advice;
    EXPECT_NE(advice.find("start Quilloria.exe from there"), std::string::npos) << advice;
    EXPECT_EQ(save.find('\r'), std::string::npos);
}

}  // namespace
