// Reading what the open-file dialog returned, adding the accepted files, and the list's messages.
#include "config/picture_dialog_result.h"

#include <gtest/gtest.h>

#include "config/list_texts.h"

namespace {

using namespace std::string_literals;

PickedFile Accepted(const char* name, int16_t folder, const char* path) { return {name, true, folder, path}; }
PickedFile Refused(const char* name) { return {name, false, 0, ""}; }

TEST(PictureDialogResult, ParsesOneOrSeveralFiles) {
    const std::string blanks(1024, ' ');
    const PickedFile a = Accepted("a.jpg", 5, "D:\\P\\a.jpg");
    const struct { const char* what; std::string buffer; int offset; std::string title; std::vector<PickedFile> files; }
    cases[] = {
        {"one file", "C:\\Pics\\Sunset.BMP\0\0"s + blanks, 8, "Sunset.BMP\0"s + blanks,
         {Accepted("Sunset.BMP", 8, "C:\\Pics\\Sunset.BMP")}},
        {"one file in a root", "C:\\root.jpg\0\0"s, 3, "root.jpg", {Accepted("root.jpg", 3, "C:\\root.jpg")}},
        {"one refused file", "C:\\Pics\\photo.jpeg\0\0"s, 8, "photo.jpeg", {Refused("photo.jpeg")}},
        {"offset past the path", "C:\\Pics\\a.gif\0\0"s, 500, "", {Accepted("a.gif", 8, "C:\\Pics\\a.gif")}},
        {"several files", "D:\\P\0a.jpg\0b.GIF\0c.txt\0\0"s + blanks, 5, "",
         {a, Accepted("b.GIF", 5, "D:\\P\\b.GIF"), Refused("c.txt")}},
        {"several in a root", "C:\\\0a.bmp\0b.bmp\0\0"s, 3, "",
         {Accepted("a.bmp", 3, "C:\\a.bmp"), Accepted("b.bmp", 3, "C:\\b.bmp")}},
        {"one file twice", "D:\\P\0a.jpg\0a.jpg\0\0"s, 5, "", {a, a}},
        {"text after the end", "D:\\P\0a.jpg\0\0b.jpg\0\0"s, 5, "", {a}},
        {"no closing NULs", "D:\\P\0a.jpg"s, 5, "", {a}},
        {"empty buffer", "\0"s + blanks, 0, "", {}},
    };
    for (const auto& c : cases) {
        const std::vector<PickedFile> files = ParsePictureDialogResult(c.buffer, c.offset, c.title);
        ASSERT_EQ(files.size(), c.files.size()) << c.what;
        for (size_t i = 0; i < files.size(); ++i) {
            EXPECT_EQ(files[i], c.files[i]) << c.what << ": " << files[i].Name << ' ' << files[i].FolderLength << ' '
                                            << files[i].Path;
        }
    }
}

TEST(PictureDialogResult, AcceptedFilesJoinTheListUpToItsLimit) {
    const std::vector<PickedFile> picked = ParsePictureDialogResult("C:\\P\0a.jpg\0b.txt\0c.bmp\0a.jpg\0\0"s, 5, "");
    EXPECT_EQ(RejectedPictureNames(picked), std::vector<std::string>{"b.txt"});
    PictureSlots roomy;
    EXPECT_EQ(AppendPickedPictures(roomy, picked), 0);
    const PictureEntry a{5, "C:\\P\\a.jpg", 0, false};
    EXPECT_EQ(roomy, (PictureSlots{{}, a, {5, "C:\\P\\c.bmp", 0, false}, a}));

    PictureSlots nearlyFull(kMaxPictures);                   // room for one more picture
    EXPECT_EQ(AppendPickedPictures(nearlyFull, picked), 2);  // c.bmp and the second a.jpg; b.txt does not count
    EXPECT_EQ(PictureCount(nearlyFull), kMaxPictures);
    EXPECT_EQ(nearlyFull.back(), a);
}

TEST(ListTexts, MessagesWordForWord) {
    EXPECT_EQ(InvalidPictureText("photo.jpeg"),
              "photo.jpeg\n\nInvalid Picture!\n\nFile will not be added to the list...");
    EXPECT_EQ(PictureLoadFailedText("sunset.jpg", "File not found"),
              "sunset.jpg\n\nFile not found!\n\nPicture will be removed from list...");
    EXPECT_EQ(ListFullText(5), "The list holds at most 32,767 pictures.\n\n5 of the selected files were not added.");
    EXPECT_EQ(ListFullText(1), "The list holds at most 32,767 pictures.\n\n1 of the selected files was not added.");
    EXPECT_NE(SelectionTooLargeText().find("fewer files"), std::string::npos);
}

}  // namespace
