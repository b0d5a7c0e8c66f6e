// Paths split, joined and measured by character in single- and double-byte code pages.
#include "common/path_text.h"

#include <gtest/gtest.h>

#include "common/picture_entry.h"

namespace {

LeadBytes CodePage(int number) {
    LeadBytes lead;
    if (number == 932) {
        lead.AddRange(0x81, 0x9F);
        lead.AddRange(0xE0, 0xFC);
    } else if (number == 950) {
        lead.AddRange(0x81, 0xFE);
    }
    return lead;
}

// A folder joined with a file name, then taken apart again as the list does.
TEST(PathText, JoinsAndSplitsByCharacter) {
    struct Case {
        int codePage;
        const char* folder;
        const char* name;
        const char* path;  // the folder with one backslash, then the name
        int folderChars;   // FolderLength of the entry
    };
    const Case cases[] = {
        {1252, "C:\\Pics", "a.jpg", "C:\\Pics\\a.jpg", 8},
        {1252, "C:\\", "root.bmp", "C:\\root.bmp", 3},
        {1252, "C:\\Pics\\", "\xE9t\xE9.gif", "C:\\Pics\\\xE9t\xE9.gif", 8},
        {1252, "", "a.bmp", "\\a.bmp", 1},
        // Japanese: hyou (95 5C) and so (83 5C) end in the byte of a backslash.
        {932, "C:\\\x95\x5C", "a.jpg", "C:\\\x95\x5C\\a.jpg", 5},
        {932, "C:\\\x8E\xCA\x90\x5E\\\x95\x5C", "\x83\x5C.jpg", "C:\\\x8E\xCA\x90\x5E\\\x95\x5C\\\x83\x5C.jpg", 8},
        {932, "C:\\\x83\x5C\\", "b.gif", "C:\\\x83\x5C\\b.gif", 5},
        {932, "D:\\", "\x83\x5C", "D:\\\x83\x5C", 3},
        // Traditional Chinese: xu (B3 5C).
        {950, "C:\\\xB3\x5C", "c.bmp", "C:\\\xB3\x5C\\c.bmp", 5},
    };
    for (const Case& c : cases) {
        const LeadBytes lead = CodePage(c.codePage);
        const std::string path = FolderWithBackslash(c.folder, lead) + c.name;
        EXPECT_EQ(path, c.path) << c.codePage << " " << c.path;
        EXPECT_EQ(GetFileName(path, lead), c.name) << c.path;
        EXPECT_EQ(CharCount(path.substr(0, FolderPartBytes(path, lead)), lead), c.folderChars) << c.path;
        const PictureEntry entry{static_cast<int16_t>(c.folderChars), path, 0, false};
        EXPECT_EQ(EntryFileName(entry, lead), c.name) << c.path;
        EXPECT_FALSE(EndsWithBackslash(path, lead)) << c.path;
    }
}

TEST(PathText, EntryWithoutOrBeyondItsFolder) {
    const LeadBytes japanese = CodePage(932);
    EXPECT_EQ(EntryFileName({0, "plain.gif", 0, false}, japanese), "plain.gif");
    EXPECT_EQ(EntryFileName({99, "C:\\\x95\x5C.jpg", 0, false}, japanese), "");  // never past the end
    EXPECT_EQ(GetFileName("C:\\Pics\\", japanese), "");
    EXPECT_EQ(GetFileName("\x83\x5C", japanese), "\x83\x5C");
    EXPECT_EQ(CharCount("\x83", japanese), 1);  // a lead byte at the end stands alone
}

}  // namespace
