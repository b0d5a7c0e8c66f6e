#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include "common/picture_entry.h"
#include "common/picture_list.h"
#include "common/twips.h"

namespace {

TEST(TextHelpers, OneLineFoldsLineBreaks) {
    EXPECT_EQ(OneLine("File not found.\r\n"), "File not found.");
    EXPECT_EQ(OneLine("  two\r\nlines \n"), "two lines");
}

TEST(PictureList, RotateMovesTheFirstPictureToTheEnd) {
    PictureSlots slots = EmptyPictureList();
    for (const char* name : {"A", "B", "C"}) slots.push_back({0, name, 0, false});
    RotatePictures(slots);
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_EQ(slots[0], PictureEntry{});
    EXPECT_EQ(slots[1].Path, "B");
    EXPECT_EQ(slots[2].Path, "C");
    EXPECT_EQ(slots[3].Path, "A");
    RotatePictures(slots);
    EXPECT_EQ(slots[1].Path, "C");
    EXPECT_EQ(slots[3].Path, "B");
}

TEST(PictureList, RotateLeavesShortListsAlone) {
    PictureSlots none;
    RotatePictures(none);
    EXPECT_TRUE(none.empty());
    PictureSlots one = EmptyPictureList();
    one.push_back({3, "C:\\a.bmp", 1, true});
    const PictureSlots before = one;
    RotatePictures(one);
    EXPECT_EQ(one, before);
}

TEST(Twips, ConvertWithTheWindowDpi) {
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7650, 96), 510);
    EXPECT_EQ(TwipsToPixels(3045, 96), 203);
    EXPECT_EQ(TwipsToPixels(3045, 144), 305);  // 304.5 rounds up
    EXPECT_EQ(TwipsToPixels(-15, 96), -1);
    EXPECT_EQ(PixelsToTwips(510, 96), 7650);
}

}  // namespace
