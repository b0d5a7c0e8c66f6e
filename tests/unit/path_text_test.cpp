// Paths split, joined and measured by character in single- and double-byte code pages.
#include "common/path_text.h"

#include <gtest/gtest.h>

#include "common/picture_entry.h"

namespace {

// A folder joined with a file name, then taken apart again as the list does.
TEST(PathText, JoinsAndSplitsByCharacter) {
    LeadBytes western, japanese, chinese;
    japanese.AddRange(0x81, 0x9F);
    japanese.AddRange(0xE0, 0xFC);
    chinese.AddRange(0x81, 0xFE);  // Traditional Chinese, 950
    const struct {
        const LeadBytes& lead;
        const char *folder, *name, *path;  // the path: the folder with one backslash, then the name
        int folderChars;
    } cases[] = {
        {western, "C:\\Pics", "a.jpg", "C:\\Pics\\a.jpg", 8},
        {western, "C:\\", "root.bmp", "C:\\root.bmp", 3},
        {western, "", "\xE9t\xE9.gif", "\\\xE9t\xE9.gif", 1},
        // hyou (95 5C), so (83 5C) and xu (B3 5C) end in the byte of a backslash.
        {japanese, "C:\\\x95\x5C", "a.jpg", "C:\\\x95\x5C\\a.jpg", 5},
        {japanese, "C:\\\x8E\xCA\x90\x5E\\\x95\x5C", "\x83\x5C.jpg", "C:\\\x8E\xCA\x90\x5E\\\x95\x5C\\\x83\x5C.jpg", 8},
        {japanese, "C:\\\x83\x5C\\", "b.gif", "C:\\\x83\x5C\\b.gif", 5},
        {japanese, "D:\\", "\x83\x5C", "D:\\\x83\x5C", 3},
        {chinese, "C:\\\xB3\x5C", "c.bmp", "C:\\\xB3\x5C\\c.bmp", 5},
    };
    for (const auto& c : cases) {
        const std::string path = FolderWithBackslash(c.folder, c.lead) + c.name;
        EXPECT_EQ(path, c.path);
        EXPECT_EQ(GetFileName(path, c.lead), c.name) << c.path;
        EXPECT_EQ(CharCount(path.substr(0, FolderPartBytes(path, c.lead)), c.lead), c.folderChars) << c.path;
        EXPECT_EQ(EntryFileName({static_cast<int16_t>(c.folderChars), path, 0, false}, c.lead), c.name) << c.path;
    }
    EXPECT_EQ(EntryFileName({0, "plain.gif", 0, false}, japanese), "plain.gif");
    EXPECT_EQ(EntryFileName({99, "C:\\\x95\x5C.jpg", 0, false}, japanese), "");  // never past the end
}

}  // namespace
