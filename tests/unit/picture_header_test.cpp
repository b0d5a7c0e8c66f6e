#include "common/picture_header.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Status = ClaimedSize::Status;

ClaimedSize Read(const std::string& bytes) {
    return ReadClaimedSize(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Le16(uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be16(uint32_t v) { return {static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v & 0xFF)}; }
std::string Be32(uint32_t v) { return Be16(v >> 16) + Be16(v & 0xFFFF); }

std::string Bmp(int32_t w, int32_t h) {
    return "BM" + Le32(0) + Le32(0) + Le32(54) + Le32(40) + Le32(static_cast<uint32_t>(w)) + Le32(static_cast<uint32_t>(h));
}
std::string Png(uint32_t w, uint32_t h) { return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(w) + Be32(h); }
std::string Jpeg(uint32_t w, uint32_t h) {
    const std::string app0 = std::string("\xFF\xE0", 2) + Be16(6) + "JFIF";
    return std::string("\xFF\xD8", 2) + app0 + std::string("\xFF\xC2", 2) + Be16(11) + "\x08" + Be16(h) + Be16(w) + "\x01";
}
std::string Gif(uint32_t w, uint32_t h, uint32_t frameW, uint32_t frameH) {
    std::string g = "GIF89a" + Le16(w) + Le16(h) + std::string("\x80\x00\x00", 3) + std::string(6, '\0');  // 2-colour table
    g += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);  // graphic control extension
    g += "\x2C" + Le16(0) + Le16(0) + Le16(frameW) + Le16(frameH) + std::string("\x00\x02\x02\x4C\x01\x00", 6);
    return g + "\x3B";
}

TEST(PictureHeader, ReadsTheClaimedSizeOfEachFormat) {
    const struct {
        const char* what;
        std::string bytes;
        Status status;
        uint64_t width, height;
    } cases[] = {
        {"bitmap bottom-up", Bmp(640, 480), Status::Known, 640, 480},
        {"bitmap top-down", Bmp(640, -480), Status::Known, 640, 480},
        {"bitmap zero width", Bmp(0, 10), Status::Invalid, 0, 0},
        {"bitmap negative width", Bmp(-5, 10), Status::Invalid, 0, 0},
        {"bitmap absurd", Bmp(100000, 100000), Status::Known, 100000, 100000},
        {"OS/2 bitmap", "BM" + Le32(0) + Le32(0) + Le32(26) + Le32(12) + Le16(30) + Le16(20), Status::Known, 30, 20},
        {"png", Png(4000, 3000), Status::Known, 4000, 3000},
        {"png absurd", Png(0x7FFFFFFF, 0x7FFFFFFF), Status::Known, 0x7FFFFFFF, 0x7FFFFFFF},
        {"jpeg progressive", Jpeg(6000, 4000), Status::Known, 6000, 4000},
        {"jpeg zero height", Jpeg(6000, 0), Status::Invalid, 6000, 0},
        {"gif", Gif(40, 30, 40, 30), Status::Known, 40, 30},
        {"gif frame larger than the screen", Gif(40, 30, 60000, 50000), Status::Known, 60000, 50000},
        {"gif empty frame", Gif(40, 30, 0, 30), Status::Invalid, 0, 0},
        {"text", "hello, world", Status::Unknown, 0, 0},
        {"empty", "", Status::Unknown, 0, 0},
        {"jpeg without a frame header", std::string("\xFF\xD8\xFF\xDA\x00\x02", 6), Status::Unknown, 0, 0},
    };
    for (const auto& c : cases) {
        const ClaimedSize s = Read(c.bytes);
        EXPECT_EQ(s.status, c.status) << c.what;
        if (c.status == Status::Known) {
            EXPECT_EQ(s.width, c.width) << c.what;
            EXPECT_EQ(s.height, c.height) << c.what;
        }
    }
}

TEST(PictureHeader, CutHeadersAreUnknownOrKnownNeverRead) {
    for (const std::string& full : {Bmp(64, 32), Png(64, 32), Jpeg(64, 32), Gif(64, 32, 64, 32)}) {
        for (size_t n = 0; n < full.size(); ++n) {
            const ClaimedSize s = Read(full.substr(0, n));  // ASan sees any read past the end
            if (s.status == Status::Known) {
                EXPECT_EQ(s.width, 64u);
                EXPECT_EQ(s.height, 32u);
            }
        }
        EXPECT_EQ(Read(full).status, Status::Known);
    }
}

TEST(PictureHeader, LimitsRefuseEmptyLongAndLargePictures) {
    EXPECT_TRUE(SizeWithinLimits(6000, 4000, 65535, 256u << 20));
    EXPECT_TRUE(SizeWithinLimits(1, 1, 65535, 1));
    EXPECT_FALSE(SizeWithinLimits(0, 10, 65535, 256u << 20));
    EXPECT_FALSE(SizeWithinLimits(65536, 1, 65535, 256u << 20));
    EXPECT_FALSE(SizeWithinLimits(20000, 20000, 65535, 256u << 20));
    EXPECT_FALSE(SizeWithinLimits(0xFFFFFFFFull, 0xFFFFFFFFull, 0xFFFFFFFFull, 256u << 20));
}

// A 32-bit program decodes what its copies leave room for in its addresses; a 64-bit one 256 Mi.
TEST(PictureHeader, PixelLimitFollowsTheAddressSpace) {
    constexpr uint64_t GB = 1ull << 30, Mi = 1ull << 20;
    const struct {
        PictureUse use;
        uint64_t addressSpace, pixels;
    } cases[] = {
        {PictureUse::Conversion, 4 * GB - 128 * 1024, 256 * Mi}, {PictureUse::Preview, 4 * GB, 128 * Mi},  // 64-bit Windows
        {PictureUse::Conversion, 3 * GB, 128 * Mi}, {PictureUse::Preview, 3 * GB, 64 * Mi},
        {PictureUse::Conversion, 2 * GB - 128 * 1024, 128 * Mi}, {PictureUse::Preview, 2 * GB, 64 * Mi},  // 32-bit Windows
        {PictureUse::Conversion, 128 * 1024 * GB, 256 * Mi}, {PictureUse::Preview, 128 * 1024 * GB, 256 * Mi},
        {PictureUse::Preview, 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MaxPixelsForAddressSpace(c.use, c.addressSpace), c.pixels) << c.addressSpace / GB << " GB";
    }
}

}  // namespace
