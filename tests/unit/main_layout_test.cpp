// The configuration window's layout table and its conversion into pixels.
#include "config/main_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const FormRow& LayoutRow(MainControl id) { return MainForm().rows[static_cast<size_t>(id)]; }
PixelBox PlaceInContainer(MainControl id, int dpi) { return PlaceInContainer(MainForm(), static_cast<int>(id), dpi); }
PixelBox PlaceInForm(MainControl id, int dpi) { return PlaceInForm(MainForm(), static_cast<int>(id), dpi); }
PixelBox MainClientArea(int dpi) { return ClientArea(MainForm(), dpi); }

bool Inside(const PixelBox& inner, const PixelBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST(MainLayoutTest, RowsAreIndexedByTheirControl) {
    std::set<std::string> names;
    ASSERT_EQ(MainForm().rows.size(), static_cast<size_t>(kMainControlCount));
    for (size_t i = 0; i < MainForm().rows.size(); ++i) {
        EXPECT_EQ(static_cast<size_t>(MainForm().rows[i].id), i);
        EXPECT_TRUE(names.insert(MainForm().rows[i].name).second) << MainForm().rows[i].name;
    }
}

TEST(MainLayoutTest, TabOrderRunsThroughEveryControlOnce) {
    const auto order = TabOrder(MainForm());
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(MainForm().rows[order[i]].tab, static_cast<int>(i));
    EXPECT_EQ(order.front(), static_cast<int>(MainControl::fList));
    EXPECT_EQ(order[9], static_cast<int>(MainControl::btnUp));  // the arrows come after the preview box
    EXPECT_EQ(order.back(), static_cast<int>(MainControl::cAuto));
}

// At 96 dpi 15 twips make one pixel; at other DPIs each level is converted on its own, so that a
// control keeps its exact offset from its frame.
TEST(MainLayoutTest, PixelPlacementsAtSeveralDpis) {
    struct Case {
        MainControl control;
        int dpi;
        PixelBox inContainer, inForm;
    };
    const Case cases[] = {
        {MainControl::fList, 96, {4, 0, 229, 171}, {4, 0, 229, 171}},
        {MainControl::lPix, 96, {6, 16, 153, 147}, {10, 16, 153, 147}},
        {MainControl::btnDown, 96, {196, 110, 27, 27}, {200, 110, 27, 27}},
        {MainControl::btnOK, 96, {210, 176, 145, 29}, {210, 176, 145, 29}},
        {MainControl::oShow0, 96, {4, 14, 57, 15}, {4 + 174 + 238, 14 + 64, 57, 15}},
        {MainControl::cStretch, 96, {16, 34, 61, 15}, {16 + 174 + 238, 34 + 64, 61, 15}},
        {MainControl::btnAbout, 96, {216, 148, 47, 17}, {454, 148, 47, 17}},
        {MainControl::lPix, 144, {9, 24, 230, 221}, {15, 24, 230, 221}},
        // 120 dpi: 12 twips a pixel; 710 twips is 59.17 pixels, rounded to 59.
        {MainControl::btnRemove, 120, {205, 59, 74, 34}, {210, 59, 74, 34}},
        {MainControl::oShow1, 120, {5, 70, 84, 19}, {5 + 218 + 298, 70 + 80, 84, 19}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(LayoutRow(c.control).name) + " at " + std::to_string(c.dpi));
        EXPECT_EQ(PlaceInContainer(c.control, c.dpi), c.inContainer);
        EXPECT_EQ(PlaceInForm(c.control, c.dpi), c.inForm);
    }
    EXPECT_EQ(MainClientArea(96), (PixelBox{0, 0, 510, 210}));
    EXPECT_EQ(MainClientArea(192), (PixelBox{0, 0, 1020, 420}));
}

TEST(MainLayoutTest, EveryControlLiesInsideItsContainer) {
    for (int dpi : {96, 120, 144, 192}) {
        for (const FormRow& row : MainForm().rows) {
            const PixelBox outer = row.inside == kInsideForm
                                       ? MainClientArea(dpi)
                                       : PlaceInForm(static_cast<MainControl>(row.inside), dpi);
            EXPECT_TRUE(Inside(PlaceInForm(MainForm(), row.id, dpi), outer)) << row.name << " at " << dpi;
        }
    }
}

TEST(MainLayoutTest, OnlyTheAutostartBoxIsVisibleBeforeTheFirstActivation) {
    for (const FormRow& row : MainForm().rows) {
        EXPECT_EQ(HiddenAtStart(MainForm(), row.id), row.id != static_cast<int>(MainControl::cAuto))
            << row.name;
    }
}

TEST(MainLayoutTest, LargeFontHeight) {
    EXPECT_EQ(FontPixelHeight(kLargeButtonFont.centipoints, 96), 13);
    EXPECT_EQ(FontPixelHeight(kLargeButtonFont.centipoints, 144), 20);
    EXPECT_EQ(FontPixelHeight(800, 96), 11);
    EXPECT_EQ(FontPixelHeight(kDefaultFontCentipoints, 96), 11);
    EXPECT_EQ(FontPixelHeight(kDefaultFontCentipoints, 144), 17);
}

}  // namespace
