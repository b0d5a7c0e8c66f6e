// Pictures of both programs: loading a Windows bitmap, GIF or JPEG file (PNG and TIFF load as
// well), the empty picture, natural size, painting at natural or scaled size, and saving as a
// 24-bit Windows bitmap. Decoding and encoding are done by the Windows Imaging Component; the
// caller's thread must have initialised COM.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/picture_header.h"

// Error numbers of the picture services. A file that cannot be opened or read reports the
// Windows error of that (ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ...).
inline constexpr DWORD kPictureErrorInvalid = ERROR_INVALID_DATA;       // not a picture we read, or damaged
inline constexpr DWORD kPictureErrorTooLarge = ERROR_NOT_ENOUGH_MEMORY;  // too large to hold in memory

// A failure: a number (0 means success) with a description for the user.
struct PictureError {
    DWORD number = 0;
    std::string description;
    explicit operator bool() const { return number != 0; }
};

// A decoded picture: upright 32-bit pixels in a top-down DIB section. Never changed after
// decoding, so any number of holders share one.
class DecodedImage {
public:
    DecodedImage(HBITMAP bitmap, void* bits, int width, int height)
        : bitmap_(bitmap), bits_(bits), width_(width), height_(height) {}
    ~DecodedImage();
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    HBITMAP bitmap() const { return bitmap_; }
    // Row y of the picture, `width()` pixels of blue, green, red and one unused byte.
    const uint32_t* row(int y) const { return static_cast<const uint32_t*>(bits_) + static_cast<size_t>(y) * width_; }

private:
    HBITMAP bitmap_;
    void* bits_;
    int width_;
    int height_;
};

// What a picture box or an image element holds: the empty picture or a shared decoded image.
// Copying a Picture shares the image; the last holder to let go frees it.
class Picture {
public:
    Picture() = default;  // the empty picture
    explicit Picture(std::shared_ptr<const DecodedImage> image) : image_(std::move(image)) {}

    bool IsEmpty() const { return !image_; }
    // Natural size in pixels; 0 x 0 for the empty picture.
    int Width() const { return image_ ? image_->width() : 0; }
    int Height() const { return image_ ? image_->height() : 0; }
    const DecodedImage* Image() const { return image_.get(); }

    // Draws the picture at natural size with its top-left corner at (x, y) of `dc`; the device
    // context clips at its edges. The empty picture draws nothing.
    void PaintAt(HDC dc, int x, int y) const;

    // Draws the picture scaled to the rectangle (x, y, width, height), aspect ratio not kept;
    // scaled with halftoning when the size differs from the natural size.
    void PaintScaled(HDC dc, int x, int y, int width, int height) const;

private:
    std::shared_ptr<const DecodedImage> image_;
};

// Where an image element shows its picture: at natural size, or scaled to a given size.
struct PicturePlacement {
    int left = 0;
    int top = 0;
    int width = 0;   // used when stretch is on
    int height = 0;  // used when stretch is on
    bool stretch = false;
};

// Draws `picture` as an image element placed by `placement` shows it.
void PaintPlaced(HDC dc, const Picture& picture, const PicturePlacement& placement);

struct PictureLoadResult {
    Picture picture;
    PictureError error;
};

// Loads the picture file at `path` (ANSI), applying a JPEG's Exif orientation so that the picture
// is upright. An empty path gives the empty picture without error. On failure the picture is
// empty and the error says why; a damaged file, a header with absurd dimensions or a picture too
// large for memory is an error like any other.
PictureLoadResult LoadPicture(const std::string& path);

// Saves the picture as a 24-bit bottom-up Windows bitmap at `path` (ANSI), replacing an existing
// file. Saving the empty picture is an error.
PictureError SavePictureAsBitmap(const Picture& picture, const std::string& path);

// What converting a picture file into a bitmap file met: an error of loading the picture (nothing
// was saved then), or of saving the bitmap.
struct BitmapConversion {
    PictureError loadError;
    PictureError saveError;
};

// Loads the picture file at `source` as LoadPicture does and saves it as SavePictureAsBitmap does
// at `path`, the same bytes, with the same errors and the same care for an older file. An upright
// picture goes from the decoder to the file strip by strip, never held whole.
BitmapConversion ConvertToBitmap(const std::string& source, const std::string& path);

// A new picture of `width` x `height` for the caller to fill: `pixels` receives its first row (rows
// top-down, `width` pixels apart). The empty picture when memory does not allow it.
Picture NewPicture(int width, int height, uint32_t** pixels);

// The largest picture decoded for each use (LoadPicture for a preview, ConvertToBitmap for a
// conversion) in this process, in pixels: larger ones are a load error.
uint64_t MaxPicturePixels(PictureUse use);
