// Reading what the open-file dialog returned, adding the accepted files, and the list's messages.
#include "config/picture_dialog_result.h"

#include <gtest/gtest.h>

#include "config/list_texts.h"

namespace {

using namespace std::string_literals;

// The endings themselves are picture_name_test's table; here only what the wide names add.
TEST(PictureDialogResult, WideNamesAreAcceptedByTheirLastThreeCharacters) {
    EXPECT_TRUE(IsAcceptedPictureName(L"\x7167\x7247.JPG"));
    EXPECT_FALSE(IsAcceptedPictureName(L"a.jp\xFF47"));  // a full-width g is no g
}

TEST(PictureDialogResult, ParsesOneOrSeveralFiles) {
    const std::wstring blanks(1024, L' ');
    const struct { const char* what; std::wstring buffer; std::vector<std::wstring> paths; } cases[] = {
        {"one file", L"C:\\Pics\\Sunset.BMP\0\0"s + blanks, {L"C:\\Pics\\Sunset.BMP"}},
        {"several files", L"D:\\P\0a.jpg\0b.GIF\0\0"s + blanks, {L"D:\\P\\a.jpg", L"D:\\P\\b.GIF"}},
        {"several in a root", L"C:\\\0a.bmp\0b.bmp\0\0"s, {L"C:\\a.bmp", L"C:\\b.bmp"}},
        {"one file twice", L"D:\\P\0a.jpg\0a.jpg\0\0"s, {L"D:\\P\\a.jpg", L"D:\\P\\a.jpg"}},
        {"text after the end", L"D:\\P\0a.jpg\0\0b.jpg\0\0"s, {L"D:\\P\\a.jpg"}},
        {"no closing NULs", L"D:\\P\0a.jpg"s, {L"D:\\P\\a.jpg"}},
        {"empty buffer", L"\0"s + blanks, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePictureDialogResult(c.buffer), c.paths) << c.what;
}

// Each picked file is judged by its name, then stored by its ANSI path with the folder counted in
// characters; each refused one gets its message, and the list takes what fits.
TEST(PictureDialogResult, PickedFilesAreJudgedAndJoinTheListUpToItsLimit) {
    LeadBytes japanese;
    japanese.AddRange(0x81, 0x9F);
    japanese.AddRange(0xE0, 0xFC);
    // The code page as a stand-in: "so" (U+30BD) is 83 5C; "pian" (U+7247) has no form, nor a short name.
    const AnsiPathFunction toAnsi = [](const std::wstring& path) -> std::optional<std::string> {
        if (path.find(L'\x7247') != std::wstring::npos) return std::nullopt;
        return path == L"C:\\\x30BD\\a.jpg" ? "C:\\\x83\x5C\\a.jpg" : std::string(path.begin(), path.end());
    };
    const std::vector<PickedFile> files = JudgePickedFiles(
        {L"C:\\P\\a.jpg", L"C:\\P\\b.txt", L"C:\\\x30BD\\a.jpg", L"C:\\P\\\x7247.gif", L"C:\\P\\\x7247.png"}, toAnsi,
        japanese);
    const PickedFile a{L"a.jpg", PickVerdict::Accepted, 5, "C:\\P\\a.jpg"}, so{L"a.jpg", PickVerdict::Accepted, 5,
                                                                               "C:\\\x83\x5C\\a.jpg"};
    EXPECT_EQ(files, (std::vector<PickedFile>{a, {L"b.txt"}, so, {L"\x7247.gif", PickVerdict::Unexpressible},
                                              {L"\x7247.png"}}));
    EXPECT_EQ(RefusalMessages(files), (std::vector<std::wstring>{InvalidPictureText(L"b.txt"),
                                                                 UnexpressibleNameText(L"\x7247.gif"),
                                                                 InvalidPictureText(L"\x7247.png")}));
    PictureSlots roomy;
    EXPECT_EQ(AppendPickedPictures(roomy, files), 0);
    EXPECT_EQ(roomy, (PictureSlots{{}, {5, a.Path, 0, false}, {5, so.Path, 0, false}}));
    PictureSlots nearlyFull(kMaxPictures);                  // room for one more picture
    EXPECT_EQ(AppendPickedPictures(nearlyFull, files), 1);  // the refused files do not count
    EXPECT_EQ(nearlyFull.back().Path, a.Path);
}

TEST(ListTexts, MessagesWordForWord) {
    EXPECT_EQ(InvalidPictureText(L"photo.jpeg"),
              L"photo.jpeg\n\nInvalid Picture!\n\nFile will not be added to the list...");
    EXPECT_EQ(PictureLoadFailedText("sunset.jpg", "File not found"),
              "sunset.jpg\n\nFile not found!\n\nPicture will be removed from list...");
    EXPECT_EQ(ListFullText(5), "The list holds at most 32,767 pictures.\n\n5 of the selected files were not added.");
    EXPECT_EQ(ListFullText(1), "The list holds at most 32,767 pictures.\n\n1 of the selected files was not added.");
    EXPECT_NE(SelectionTooLargeText().find("fewer files"), std::string::npos);
}

}  // namespace
