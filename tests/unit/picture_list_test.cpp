// Editing the picture list: removing, moving and appending pictures.
#include "common/picture_list.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// A list whose pictures differ in every field, so that a move that copied only the path would show.
PictureSlots ListOf(const std::string& names) {
    PictureSlots slots = EmptyPictureList();
    for (char name : names) slots.push_back({int16_t{name}, std::string(1, name), int16_t(name % 2), name % 3 == 0});
    return slots;
}

std::string Names(const PictureSlots& slots) {
    std::string names;
    for (const PictureEntry& entry : slots) names += entry.Path.empty() ? "_" : entry.Path;
    return names;
}

TEST(PictureListEditing, DeleteEntryClosesTheGap) {
    const struct { const char* list; int slot; const char* after; } cases[] = {
        {"ABC", 2, "AC"},  {"ABC", 3, "AB"},  {"ABC", 1, "BC"},   {"A", 1, ""},
        {"ABC", 0, "ABC"}, {"ABC", 4, "ABC"}, {"ABC", -1, "ABC"}, {"", 1, ""},
    };
    for (const auto& c : cases) {
        PictureSlots slots = ListOf(c.list);
        DeleteEntry(slots, c.slot);
        EXPECT_EQ(slots, ListOf(c.after)) << c.list << " slot " << c.slot << " gave " << Names(slots);
    }
    PictureSlots absent;
    DeleteEntry(absent, 1);
    EXPECT_TRUE(absent.empty());
}

// After a removal the row that followed is selected, else the new last row, else none.
TEST(PictureListEditing, RowSelectedAfterARemoval) {
    const struct { int removed, rowsLeft, selected; } cases[] = {
        {0, 2, 0}, {1, 2, 1}, {2, 2, 1}, {0, 0, -1}, {5, 3, 2},  // the last, the only, a row already gone
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RowAfterRemoval(c.removed, c.rowsLeft), c.selected) << c.removed << " of " << c.rowsLeft + 1;
    }
}

TEST(PictureListEditing, SwapsExchangeARowWithItsNeighbour) {
    const struct { bool up; int position; const char* after; } cases[] = {
        {true, 1, "BACD"},  {true, 3, "ABDC"},  {true, 0, "ABCD"},  {true, 4, "ABCD"},   {true, INT_MAX, "ABCD"},
        {false, 0, "BACD"}, {false, 2, "ABDC"}, {false, 3, "ABCD"}, {false, -1, "ABCD"}, {false, INT_MAX, "ABCD"},
    };
    for (const auto& c : cases) {
        PictureSlots slots = ListOf("ABCD");
        c.up ? SwapWithPrevious(slots, c.position) : SwapWithNext(slots, c.position);
        EXPECT_EQ(slots, ListOf(c.after)) << (c.up ? "up " : "down ") << c.position << " gave " << Names(slots);
    }
}

TEST(PictureListEditing, AppendAddsACentredPictureUpToTheLimit) {
    const PictureEntry added{8, "C:\\Pics\\Sunset.BMP", 0, false};
    for (const PictureSlots& before : {PictureSlots(), EmptyPictureList(), ListOf("AB")}) {
        PictureSlots slots = before;
        ASSERT_TRUE(AppendPicture(slots, added.FolderLength, added.Path));
        PictureSlots expected = before.empty() ? EmptyPictureList() : before;
        expected.push_back(added);
        EXPECT_EQ(slots, expected) << Names(slots);
    }
    PictureSlots full(kMaxPictures);  // slot 0 and 32766 pictures
    EXPECT_TRUE(AppendPicture(full, 3, "C:\\last.jpg"));
    EXPECT_FALSE(AppendPicture(full, 3, "C:\\one-too-many.jpg"));
    EXPECT_EQ(PictureCount(full), kMaxPictures);
    EXPECT_EQ(full.back().Path, "C:\\last.jpg");
}

}  // namespace
