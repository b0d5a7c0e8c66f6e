// Shrinking by averaging: each target pixel is the rounded mean of the source block it covers.
#include "config/preview/box_scale.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BoxShrink, AveragesEachBlockChannelByChannel) {
    struct Case {
        const char* what;
        int sw, sh;
        std::vector<uint32_t> source;
        int tw, th;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {"same size copies", 2, 1, {0x01020304, 0xFFFFFFFF}, 2, 1, {0x01020304, 0xFFFFFFFF}},
        {"2 x 2 blocks", 4, 2, {0x00000000, 0x00000010, 0x00FF0000, 0x00FF0000,
                                0x00000020, 0x00000030, 0x0000FF00, 0x0000FF00}, 2, 1, {0x00000018, 0x00808000}},
        {"uneven blocks of 1 and 2", 3, 1, {0x00000010, 0x00000020, 0x00000041}, 2, 1, {0x00000010, 0x00000031}},
        {"all to one pixel, rounded", 3, 1, {0, 0, 2}, 1, 1, {1}},
        {"alpha byte kept apart", 2, 1, {0xFF000000, 0x01000000}, 1, 1, {0x80000000}},
    };
    for (const Case& c : cases) {
        std::vector<uint32_t> target(static_cast<size_t>(c.tw * c.th), 0xDEADBEEF);
        ASSERT_TRUE(BoxShrink(c.source.data(), c.sw, c.sh, static_cast<size_t>(c.sw), target.data(), c.tw, c.th)) << c.what;
        EXPECT_EQ(target, c.expected) << c.what;
    }
}

TEST(BoxShrink, ReadsRowsByTheirStrideAndRefusesToEnlarge) {
    // Two used pixels in rows four apart; the padding must not count.
    const std::vector<uint32_t> padded = {10, 30, 999, 999, 50, 70, 999, 999};
    uint32_t one = 0;
    ASSERT_TRUE(BoxShrink(padded.data(), 2, 2, 4, &one, 1, 1));
    EXPECT_EQ(one, 40u);

    std::vector<uint32_t> target(4, 7);
    EXPECT_FALSE(BoxShrink(padded.data(), 2, 2, 4, target.data(), 4, 1));  // wider than the source
    EXPECT_FALSE(BoxShrink(padded.data(), 2, 2, 4, target.data(), 0, 1));
    EXPECT_FALSE(BoxShrink(padded.data(), 2, 2, 1, target.data(), 1, 1));  // stride shorter than a row
    EXPECT_EQ(target, std::vector<uint32_t>(4, 7));
}

}  // namespace
