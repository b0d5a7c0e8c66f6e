// The picture services against the real WIC and GDI: loading each format, orientation, damaged
// and oversized files, painting and saving as a 24-bit bitmap.
#include "common/picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/file_system.h"
#include "test_pictures.h"

namespace {

using namespace test_pictures;

class PictureTest : public testing::Test {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "ql_picture_test_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& name : created_) DeleteFileA(name.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const std::string& name) {
        created_.push_back(folder_ + name);
        created_.push_back(folder_ + name + ".new");
        return folder_ + name;
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = Path(name);
        WriteBytes(path, bytes);
        return path;
    }
    std::string Encode(const std::string& name, REFGUID container, int width, int height) {
        const std::string path = Path(name);
        EXPECT_TRUE(EncodeWithWic(path, container, width, height, Quadrants(width, height))) << name;
        return path;
    }

    std::string folder_;
    std::vector<std::string> created_;
};

// The colour of a pixel without its unused byte.
uint32_t Colour(const Picture& picture, int x, int y) { return picture.Image()->row(y)[x] & 0xFFFFFF; }

// True when every channel is within `tolerance` of the expected colour (JPEG is lossy).
bool Near(uint32_t actual, uint32_t expected, int tolerance = 40) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
            tolerance) {
            return false;
        }
    }
    return true;
}

TEST_F(PictureTest, LoadsBitmapGifAndJpegAtTheirNaturalSize) {
    const std::string bmp = Write("a.bmp", BitmapFile(33, 17, Quadrants(33, 17)));
    const std::string gif = Encode("b.gif", GUID_ContainerFormatGif, 40, 24);
    const std::string jpg = Encode("c.jpg", GUID_ContainerFormatJpeg, 64, 32);
    const std::string png = Encode("d.png", GUID_ContainerFormatPng, 10, 12);
    const struct {
        std::string path;
        int width, height, tolerance;
    } cases[] = {{bmp, 33, 17, 0}, {gif, 40, 24, 8}, {jpg, 64, 32, 40}, {png, 10, 12, 0}};
    for (const auto& c : cases) {
        const PictureLoadResult loaded = LoadPicture(c.path);
        ASSERT_FALSE(loaded.error) << c.path << ": " << loaded.error.description;
        ASSERT_FALSE(loaded.picture.IsEmpty());
        EXPECT_EQ(loaded.picture.Width(), c.width) << c.path;
        EXPECT_EQ(loaded.picture.Height(), c.height) << c.path;
        const Picture& p = loaded.picture;
        // Quadrant centres, away from JPEG's blurred edges.
        EXPECT_TRUE(Near(Colour(p, c.width / 4, c.height / 4), kRed, c.tolerance)) << c.path;
        EXPECT_TRUE(Near(Colour(p, c.width * 3 / 4, c.height / 4), kGreen, c.tolerance)) << c.path;
        EXPECT_TRUE(Near(Colour(p, c.width / 4, c.height * 3 / 4), kBlue, c.tolerance)) << c.path;
        EXPECT_TRUE(Near(Colour(p, c.width * 3 / 4, c.height * 3 / 4), kWhite, c.tolerance)) << c.path;
    }
}

TEST_F(PictureTest, EmptyPathIsTheEmptyPictureWithoutError) {
    const PictureLoadResult loaded = LoadPicture("");
    EXPECT_FALSE(loaded.error);
    EXPECT_TRUE(loaded.picture.IsEmpty());
    EXPECT_EQ(loaded.picture.Width(), 0);
    EXPECT_TRUE(SavePictureAsBitmap(loaded.picture, Path("empty.bmp")));
    EXPECT_FALSE(PlainFileExists(folder_ + "empty.bmp"));
}

TEST_F(PictureTest, FilesThatAreNoUsablePictureAreLoadErrors) {
    std::string jpeg;
    {
        const std::string path = Encode("good.jpg", GUID_ContainerFormatJpeg, 64, 48);
        jpeg = ReadBytes(path);
        ASSERT_GT(jpeg.size(), 100u);
    }
    std::string gif = ReadBytes(Encode("good.gif", GUID_ContainerFormatGif, 16, 16));
    std::string png = ReadBytes(Encode("good.png", GUID_ContainerFormatPng, 16, 16));
    ASSERT_GT(gif.size(), 20u);
    ASSERT_GT(png.size(), 24u);
    gif.replace(6, 4, "\xF0\xFF\xF0\xFF");               // a 65520 x 65520 screen
    png.replace(16, 8, "\x00\x01\x00\x00\x00\x01\x00\x00");  // 65536 x 65536
    std::string bmpNoPixels = BitmapHeader(100000, 100000, 54);
    std::string bmpLarge = BitmapHeader(30000, 30000, 54);
    std::string bmpNegative = BitmapHeader(-5, 10, 54);
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    const struct {
        const char* name;
        std::string bytes;
        DWORD error;
    } cases[] = {
        {"zero.jpg", "", kPictureErrorInvalid},
        {"text.jpg", "This is not a picture.", kPictureErrorInvalid},
        {"garbage.gif", garbage, kPictureErrorInvalid},
        {"header-only.jpg", jpeg.substr(0, 20), kPictureErrorInvalid},
        {"absurd.bmp", bmpNoPixels, kPictureErrorTooLarge},
        {"large.bmp", bmpLarge, kPictureErrorTooLarge},
        {"negative.bmp", bmpNegative, 0},  // any error will do
        {"absurd.jpg", WithClaimedJpegSize(jpeg, 65000, 65000), kPictureErrorTooLarge},
        {"absurd.gif", gif, kPictureErrorTooLarge},
        {"absurd.png", png, kPictureErrorTooLarge},
        {"truncated.bmp", BitmapFile(200, 200, Quadrants(200, 200)).substr(0, 1000), 0},
    };
    for (const auto& c : cases) {
        const PictureLoadResult loaded = LoadPicture(Write(c.name, c.bytes));
        EXPECT_TRUE(loaded.error) << c.name;
        EXPECT_TRUE(loaded.picture.IsEmpty()) << c.name;
        EXPECT_FALSE(loaded.error.description.empty()) << c.name;
        if (c.error) {
            EXPECT_EQ(loaded.error.number, c.error) << c.name;
        }
    }
}

TEST_F(PictureTest, MissingFilesReportTheWindowsError) {
    const PictureLoadResult missing = LoadPicture(folder_ + "missing.jpg");
    EXPECT_EQ(missing.error.number, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(missing.error.description.empty());
    const PictureLoadResult noFolder = LoadPicture(folder_ + "no\\such\\a.jpg");
    EXPECT_EQ(noFolder.error.number, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    const PictureLoadResult folder = LoadPicture(folder_.substr(0, folder_.size() - 1));
    EXPECT_TRUE(folder.error);
}

TEST_F(PictureTest, ExifOrientationTurnsJpegsUpright) {
    const std::string plain = ReadBytes(Encode("plain.jpg", GUID_ContainerFormatJpeg, 64, 32));
    // Stored: red top-left, green top-right, blue bottom-left, white bottom-right.
    const struct {
        int orientation;
        uint32_t topLeft, topRight, bottomLeft;
    } cases[] = {
        {1, kRed, kGreen, kBlue},  {2, kGreen, kRed, kWhite}, {3, kWhite, kBlue, kGreen}, {4, kBlue, kWhite, kRed},
        {5, kRed, kBlue, kGreen},  {6, kBlue, kRed, kWhite},  {7, kWhite, kGreen, kBlue}, {8, kGreen, kWhite, kRed},
    };
    for (const auto& c : cases) {
        std::string name = "o";
        name += std::to_string(c.orientation);
        name += ".jpg";
        const PictureLoadResult loaded = LoadPicture(Write(name, WithExifOrientation(plain, c.orientation)));
        ASSERT_FALSE(loaded.error) << name << ": " << loaded.error.description;
        const Picture& p = loaded.picture;
        const bool swapped = c.orientation >= 5;
        EXPECT_EQ(p.Width(), swapped ? 32 : 64) << name;
        EXPECT_EQ(p.Height(), swapped ? 64 : 32) << name;
        const int w = p.Width(), h = p.Height();
        EXPECT_TRUE(Near(Colour(p, w / 4, h / 4), c.topLeft)) << name;
        EXPECT_TRUE(Near(Colour(p, w * 3 / 4, h / 4), c.topRight)) << name;
        EXPECT_TRUE(Near(Colour(p, w / 4, h * 3 / 4), c.bottomLeft)) << name;
    }
}

TEST_F(PictureTest, SavesA24BitBottomUpBitmapThatLoadsBackUnchanged) {
    const PictureLoadResult gif = LoadPicture(Encode("s.gif", GUID_ContainerFormatGif, 37, 21));
    ASSERT_FALSE(gif.error) << gif.error.description;
    const std::string out = Path("out.bmp");
    WriteBytes(out, "an older, longer file that the save replaces ............................................");
    ASSERT_FALSE(SavePictureAsBitmap(gif.picture, out));
    EXPECT_FALSE(PlainFileExists(out + ".new"));

    const std::string bytes = ReadBytes(out);
    ASSERT_GE(bytes.size(), 54u);
    auto u32 = [&](size_t at) { return *reinterpret_cast<const uint32_t*>(bytes.data() + at); };
    auto u16 = [&](size_t at) { return *reinterpret_cast<const uint16_t*>(bytes.data() + at); };
    const uint32_t stride = (37 * 3 + 3) & ~3u;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(u32(2), bytes.size());
    EXPECT_EQ(u32(14), 40u);                        // BITMAPINFOHEADER
    EXPECT_EQ(static_cast<int32_t>(u32(18)), 37);   // width
    EXPECT_EQ(static_cast<int32_t>(u32(22)), 21);   // height, positive: bottom-up
    EXPECT_EQ(u16(28), 24);                         // bits per pixel
    EXPECT_EQ(u32(30), 0u);                         // BI_RGB
    EXPECT_EQ(bytes.size(), u32(10) + stride * 21);

    const PictureLoadResult back = LoadPicture(out);
    ASSERT_FALSE(back.error);
    ASSERT_EQ(back.picture.Width(), 37);
    ASSERT_EQ(back.picture.Height(), 21);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) ASSERT_EQ(Colour(back.picture, x, y), Colour(gif.picture, x, y)) << x << "," << y;
    }
}

// The bitmap written for each kind of picture the decoder hands over, byte for byte: a JPEG, an
// indexed GIF, JPEGs turned by their Exif orientation and bitmaps of every depth. The digests are
// those of the files this program has always written; a change of a single byte shows here.
TEST_F(PictureTest, WritesTheSameBitmapBytesForEveryKindOfPicture) {
    auto Digest = [](const std::string& bytes) {
        uint64_t digest = 14695981039346656037ull;  // FNV-1a
        for (const unsigned char byte : bytes) digest = (digest ^ byte) * 1099511628211ull;
        return digest;
    };
    const std::string plain = ReadBytes(Encode("t.jpg", GUID_ContainerFormatJpeg, 45, 27));
    auto gradient = [](int x, int y) { return static_cast<uint32_t>((x * 37 + y * 11) % 256 << 16 | (x * 7) % 256 << 8 | (y * 29) % 256); };
    auto pattern = [](int x, int y) { return x + 3 * y; };
    auto indexes = [&](int bits) { return [=](int x, int y) { return pattern(x, y) % (1 << bits); }; };
    const struct {
        const char* name;
        std::string path;
        uint64_t digest;
    } cases[] = {
        {"jpeg", Write("a.jpg", plain), 0xba95fb04e15b4e62},
        {"indexed gif", Encode("b.gif", GUID_ContainerFormatGif, 37, 21), 0x395555330973884f},
        {"jpeg turned 90 degrees", Write("c.jpg", WithExifOrientation(plain, 6)), 0xfe698c6bf261c25e},
        {"jpeg turned 180 degrees", Write("d.jpg", WithExifOrientation(plain, 3)), 0x5c97774f12aa6bda},
        {"jpeg mirrored along the other diagonal", Write("e.jpg", WithExifOrientation(plain, 7)), 0x61b6f06abf8785d6},
        {"1-bit bitmap", Write("f.bmp", BitmapFileOfDepth(13, 7, 1, gradient, indexes(1))), 0x70f92db6d43360d3},
        {"4-bit bitmap", Write("g.bmp", BitmapFileOfDepth(13, 7, 4, gradient, indexes(4))), 0x3c0bba7474204713},
        {"8-bit bitmap", Write("h.bmp", BitmapFileOfDepth(13, 7, 8, gradient, indexes(8))), 0x0c7335b713bdda13},
        {"16-bit bitmap", Write("i.bmp", BitmapFileOfDepth(13, 7, 16, gradient)), 0x188e65076211bb3a},
        {"24-bit bitmap", Write("j.bmp", BitmapFileOfDepth(13, 7, 24, gradient)), 0xfa88e5e3e5352cf9},
        {"32-bit bitmap", Write("k.bmp", BitmapFileOfDepth(13, 7, 32, gradient)), 0xfa88e5e3e5352cf9},
    };
    const std::string out = Path("out.bmp");
    for (const auto& c : cases) {
        const PictureLoadResult loaded = LoadPicture(c.path);
        ASSERT_FALSE(loaded.error) << c.name << ": " << loaded.error.description;
        ASSERT_FALSE(SavePictureAsBitmap(loaded.picture, out)) << c.name;
        EXPECT_EQ(Digest(ReadBytes(out)), c.digest) << c.name << std::hex << ": 0x" << Digest(ReadBytes(out));
        // The loader's conversion, which never holds an upright picture whole, writes the same.
        const BitmapConversion converted = ConvertToBitmap(c.path, out);
        ASSERT_FALSE(converted.loadError || converted.saveError) << c.name;
        EXPECT_EQ(Digest(ReadBytes(out)), c.digest) << c.name << " (converted)";
        EXPECT_FALSE(PlainFileExists(out + ".new")) << c.name;
    }
    // A picture of several strips: both writers give back the rows of a 24-bit bitmap unchanged.
    const std::string big = BitmapFileOfDepth(1201, 1300, 24, gradient);
    const BitmapConversion converted = ConvertToBitmap(Write("big.bmp", big), out);
    ASSERT_FALSE(converted.loadError || converted.saveError);
    EXPECT_TRUE(ReadBytes(out).substr(54) == big.substr(54));
    ASSERT_FALSE(SavePictureAsBitmap(LoadPicture(folder_ + "big.bmp").picture, out));
    EXPECT_TRUE(ReadBytes(out).substr(54) == big.substr(54));
    // A turned one of several strips, with padded rows: the conversion places every strip where
    // the preview does.
    ASSERT_TRUE(EncodeWithWic(Path("big.jpg"), GUID_ContainerFormatJpeg, 1201, 1301, gradient));
    const std::string turned = Write("big6.jpg", WithExifOrientation(ReadBytes(Path("big.jpg")), 6));
    ASSERT_FALSE(SavePictureAsBitmap(LoadPicture(turned).picture, out));
    const std::string previewed = ReadBytes(out);
    ASSERT_FALSE(ConvertToBitmap(turned, out).loadError);
    EXPECT_TRUE(ReadBytes(out) == previewed);
}

TEST_F(PictureTest, AFailedSaveKeepsTheOldFile) {
    const PictureLoadResult bmp = LoadPicture(Write("k.bmp", BitmapFile(8, 8, Quadrants(8, 8))));
    ASSERT_FALSE(bmp.error);
    const PictureError error = SavePictureAsBitmap(bmp.picture, folder_ + "no\\such\\folder\\x.bmp");
    EXPECT_TRUE(error);
    EXPECT_FALSE(error.description.empty());

    // The conversion: a damaged picture is a load error that leaves the older bitmap and no
    // unfinished file; an unwritable place is a save error.
    const std::string out = Write("old.bmp", "an older bitmap");
    const BitmapConversion damaged = ConvertToBitmap(Write("cut.jpg", "\xFF\xD8\xFF\xE0 no picture follows"), out);
    EXPECT_TRUE(damaged.loadError);
    EXPECT_EQ(ReadBytes(out), "an older bitmap");
    EXPECT_FALSE(PlainFileExists(out + ".new"));
    const BitmapConversion unwritable = ConvertToBitmap(folder_ + "k.bmp", folder_ + "no\\such\\folder\\x.bmp");
    EXPECT_FALSE(unwritable.loadError);
    EXPECT_TRUE(unwritable.saveError);
}

TEST_F(PictureTest, HoldersShareOneDecodedImage) {
    PictureLoadResult loaded = LoadPicture(Write("share.bmp", BitmapFile(4, 4, Quadrants(4, 4))));
    ASSERT_FALSE(loaded.error);
    Picture second = loaded.picture;
    EXPECT_EQ(second.Image(), loaded.picture.Image());
    loaded.picture = Picture();  // the first holder lets go; the second still shows it
    EXPECT_TRUE(loaded.picture.IsEmpty());
    ASSERT_FALSE(second.IsEmpty());
    EXPECT_EQ(Colour(second, 0, 0), kRed);
}

TEST_F(PictureTest, PaintsAtNaturalSizeAndScaled) {
    const PictureLoadResult loaded = LoadPicture(Write("paint.bmp", BitmapFile(20, 10, Quadrants(20, 10))));
    ASSERT_FALSE(loaded.error);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 100, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, surface);
    RECT all{0, 0, 100, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    auto at = [&](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
    };
    loaded.picture.PaintAt(dc, 90, 95);  // clipped at the surface's edges
    EXPECT_EQ(at(90, 95), kRed);
    EXPECT_EQ(at(89, 95), 0u);
    loaded.picture.PaintAt(dc, 5, 5);
    EXPECT_EQ(at(5, 5), kRed);
    EXPECT_EQ(at(24, 14), kWhite);
    EXPECT_EQ(at(25, 15), 0u);
    PaintPlaced(dc, loaded.picture, {40, 40, 40, 40, true});
    EXPECT_TRUE(Near(at(45, 45), kRed));
    EXPECT_TRUE(Near(at(75, 75), kWhite));
    EXPECT_EQ(at(81, 81), 0u);

    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
}

}  // namespace
