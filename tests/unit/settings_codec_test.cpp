#include "common/settings_codec.h"

#include <gtest/gtest.h>

namespace {

PictureEntry Entry(int16_t folderLength, std::string path, int16_t tile, bool stretch) {
    return PictureEntry{folderLength, std::move(path), tile, stretch};
}

PictureSlots List(std::initializer_list<PictureEntry> entries) {
    PictureSlots slots = EmptyPictureList();
    slots.insert(slots.end(), entries);
    return slots;
}

TEST(SettingsCodec, WritesTheExactBytesOfTheFile) {
    const PictureSlots pictures = List({Entry(8, "C:\\Pics\\sunset.jpg", 0, true), Entry(8, "C:\\Pics\\bricks.bmp", 1, false)});
    EXPECT_EQ(EncodeSettings(pictures),
              "\"Version 1.1\"\r\n"
              "2\r\n"
              "8,\"C:\\Pics\\sunset.jpg\",0,#TRUE#\r\n"
              "8,\"C:\\Pics\\bricks.bmp\",1,#FALSE#\r\n");
}

TEST(SettingsCodec, EmptyAndAbsentListsWriteHeaderAndZero) {
    EXPECT_EQ(EncodeSettings(EmptyPictureList()), "\"Version 1.1\"\r\n0\r\n");
    EXPECT_EQ(EncodeSettings(PictureSlots{}), "\"Version 1.1\"\r\n0\r\n");
}

TEST(SettingsCodec, NegativeNumbersCarryAMinusSign) {
    EXPECT_EQ(EncodeSettings(List({Entry(-3, "x.bmp", -1, false)})),
              "\"Version 1.1\"\r\n1\r\n-3,\"x.bmp\",-1,#FALSE#\r\n");
}

TEST(SettingsCodec, RoundTripKeepsEveryFieldAndTheBytes) {
    const PictureSlots pictures = List({
        Entry(3, "C:\\root.bmp", 0, false),
        Entry(17, "D:\\My, Pictures\\a, b.jpg", 1, true),
        Entry(14, "E:\\with blanks\\ spaced name .gif", 0, true),
        Entry(0, "", 0, false),
        Entry(32767, "\\\\server\\share\\x.bmp", 32767, false),
        Entry(-32768, "#TRUE#", -32768, true),
    });
    const std::string bytes = EncodeSettings(pictures);
    const SettingsReadResult read = DecodeSettings(bytes);
    ASSERT_EQ(read.status, SettingsReadStatus::Ok);
    EXPECT_EQ(read.pictures, pictures);
    EXPECT_EQ(EncodeSettings(read.pictures), bytes);
}

TEST(SettingsCodec, ZeroCountReadsAsTheEmptyList) {
    const SettingsReadResult read = DecodeSettings("\"Version 1.1\"\r\n0\r\n");
    ASSERT_EQ(read.status, SettingsReadStatus::Ok);
    EXPECT_EQ(read.pictures.size(), 1u);
    EXPECT_EQ(read.pictures[0], PictureEntry{});
}

// Files written by hand: blanks before fields, unquoted fields, and line ends anywhere a field
// separator may stand.
TEST(SettingsCodec, AcceptsHandWrittenSpellings) {
    struct Case {
        const char* name;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"blanks before every field",
         "  \"Version 1.1\"\r\n   1\r\n  8, \t\"C:\\Pics\\a.jpg\",  1,   #TRUE#\r\n"},
        {"one field per line", "\"Version 1.1\"\r\n1\r\n8\r\n\"C:\\Pics\\a.jpg\"\r\n1\r\n#TRUE#\r\n"},
        {"all on one line", "\"Version 1.1\",1,8,\"C:\\Pics\\a.jpg\",1,#TRUE#"},
        {"unquoted header and path", "Version 1.1\r\n1\r\n8,C:\\Pics\\a.jpg,1,#TRUE#\r\n"},
        {"bare LF line ends", "\"Version 1.1\"\n1\n8,\"C:\\Pics\\a.jpg\",1,#TRUE#\n"},
        {"no line end after the last field", "\"Version 1.1\"\r\n1\r\n8,\"C:\\Pics\\a.jpg\",1,#TRUE#"},
        {"blanks after a closing quote and numbers", "\"Version 1.1\"  \r\n1 \r\n8 ,\"C:\\Pics\\a.jpg\" ,+1 ,#TRUE# \r\n"},
        {"text after the last entry is ignored", "\"Version 1.1\"\r\n1\r\n8,\"C:\\Pics\\a.jpg\",1,#TRUE#\r\nextra\r\n"},
    };
    const PictureSlots expected = List({Entry(8, "C:\\Pics\\a.jpg", 1, true)});
    for (const Case& c : cases) {
        const SettingsReadResult read = DecodeSettings(c.text);
        EXPECT_EQ(read.status, SettingsReadStatus::Ok) << c.name;
        EXPECT_EQ(read.pictures, expected) << c.name;
    }
}

// Lines as the program writes them and lines written by hand, one after another in one file:
// each entry reads the same whichever way it is spelled, and the next one starts where it ended.
TEST(SettingsCodec, WrittenAndHandWrittenEntriesMixInOneFile) {
    const std::string text =
        "\"Version 1.1\"\r\n6\r\n"
        "8,\"C:\\Pics\\a.jpg\",1,#TRUE#\r\n"
        " 8, \"C:\\Pics\\b.jpg\" ,+0, #FALSE#\r\n"
        "-0,\"C:\\c.jpg\",00007,#FALSE#\n"
        "3,C:\\d.jpg,0,#TRUE#\r\n"
        "3,\"C:\\e.jpg\",0,#TRUE#\r"
        "3,\"C:\\f.jpg\",0,#FALSE#";
    const PictureSlots expected = List({Entry(8, "C:\\Pics\\a.jpg", 1, true), Entry(8, "C:\\Pics\\b.jpg", 0, false),
                                        Entry(0, "C:\\c.jpg", 7, false), Entry(3, "C:\\d.jpg", 0, true),
                                        Entry(3, "C:\\e.jpg", 0, true), Entry(3, "C:\\f.jpg", 0, false)});
    const SettingsReadResult read = DecodeSettings(text);
    ASSERT_EQ(read.status, SettingsReadStatus::Ok);
    EXPECT_EQ(read.pictures, expected);
    // A written line with a number that does not fit, after good ones, still spoils the file.
    EXPECT_EQ(DecodeSettings("\"Version 1.1\"\r\n2\r\n3,\"C:\\a.jpg\",0,#TRUE#\r\n3,\"C:\\b.jpg\",99999,#TRUE#\r\n").status,
              SettingsReadStatus::Unusable);
}

TEST(SettingsCodec, OnlyTheExactHeaderBelongsToUs) {
    for (const char* header : {"\"version 1.1\"", "\"VERSION 1.1\"", "\"Version 1.0\"", "\"Version 1.2\"",
                               "\"Version 1.1 \"", "\"\"", "Settings"}) {
        const std::string text = std::string(header) + "\r\n0\r\n";
        EXPECT_EQ(DecodeSettings(text).status, SettingsReadStatus::WrongHeader) << header;
    }
}

// A damaged file is never mistaken for a list, nor for a foreign file that may be deleted.
TEST(SettingsCodec, DamagedFilesAreUnusable) {
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty file", ""},
        {"header only", "\"Version 1.1\"\r\n"},
        {"header cut inside its quotes", "\"Version 1."},
        {"count below 0", "\"Version 1.1\"\r\n-1\r\n"},
        {"count above 32767", "\"Version 1.1\"\r\n32768\r\n"},
        {"count not a number", "\"Version 1.1\"\r\ntwo\r\n"},
        {"count empty", "\"Version 1.1\"\r\n\r\n"},
        {"fewer entries than counted", "\"Version 1.1\"\r\n2\r\n8,\"C:\\Pics\\a.jpg\",0,#FALSE#\r\n"},
        {"entry cut after its path", "\"Version 1.1\"\r\n1\r\n8,\"C:\\Pics\\a.jpg\""},
        {"unterminated quote", "\"Version 1.1\"\r\n1\r\n8,\"C:\\Pics\\a.jpg,0,#FALSE#\r\n"},
        {"text after a closing quote", "\"Version 1.1\"\r\n1\r\n8,\"C:\\a.jpg\"x,0,#FALSE#\r\n"},
        {"unquoted path holding a quote", "\"Version 1.1\"\r\n1\r\n8,C:\\Pics\\a\"b.jpg,0,#FALSE#\r\n"},
        {"folder length too large", "\"Version 1.1\"\r\n1\r\n40000,\"C:\\a.jpg\",0,#FALSE#\r\n"},
        {"tile with letters", "\"Version 1.1\"\r\n1\r\n3,\"C:\\a.jpg\",1x,#FALSE#\r\n"},
        {"stretch as a number", "\"Version 1.1\"\r\n1\r\n3,\"C:\\a.jpg\",0,-1\r\n"},
        {"stretch in lower case", "\"Version 1.1\"\r\n1\r\n3,\"C:\\a.jpg\",0,#true#\r\n"},
        {"quoted path holding a line feed", "\"Version 1.1\"\r\n1\r\n3,\"C:\\a\nb.jpg\",0,#FALSE#\r\n"},
        {"quoted path holding a NUL", std::string("\"Version 1.1\"\r\n1\r\n3,\"C:\\a") + '\0' + ".jpg\",0,#FALSE#\r\n"},
        {"unquoted path holding a tab", "\"Version 1.1\"\r\n1\r\n3,C:\\a\tb.jpg,0,#FALSE#\r\n"},
    };
    for (const auto& [name, text] : cases) {
        const SettingsReadResult read = DecodeSettings(text);
        EXPECT_EQ(read.status, SettingsReadStatus::Unusable) << name;
        EXPECT_TRUE(read.pictures.empty()) << name;
    }
}

TEST(SettingsCodec, LargestListRoundTrips) {
    PictureSlots pictures = EmptyPictureList();
    for (int i = 0; i < kMaxPictures; ++i) {
        pictures.push_back(Entry(9, "C:\\Pics\\p" + std::to_string(i) + ".jpg", static_cast<int16_t>(i % 2), i % 3 == 0));
    }
    const SettingsReadResult read = DecodeSettings(EncodeSettings(pictures));
    ASSERT_EQ(read.status, SettingsReadStatus::Ok);
    EXPECT_EQ(read.pictures, pictures);
}

}  // namespace
