// The orientation a camera records in a JPEG file's Exif block, and how to turn the stored pixels
// upright. Platform-free: it reads bytes and moves 32-bit pixels, nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

// The eight orientations of the Exif tag 0x0112. The name says where the stored image's first row
// and first column belong when the picture is upright.
enum class ExifOrientation : uint8_t {
    Normal = 1,           // as stored
    MirrorHorizontal = 2, // left and right swapped
    Rotate180 = 3,
    MirrorVertical = 4,   // top and bottom swapped
    Transpose = 5,        // mirrored along the main diagonal
    Rotate90 = 6,         // turn 90 degrees clockwise to make it upright
    Transverse = 7,       // mirrored along the other diagonal
    Rotate270 = 8,        // turn 90 degrees anticlockwise to make it upright
};

// Returns the orientation stored in the first Exif APP1 segment of the JPEG file that `bytes`
// begins with (the file's head is enough: the segment comes before the image data). Returns
// Normal for anything else: no JPEG, no Exif block, no orientation tag, a value outside 1..8, or
// bytes that end early. Reads only within [bytes, bytes + size).
ExifOrientation ReadExifOrientation(const uint8_t* bytes, size_t size);

// True for the orientations that swap width and height (5 to 8).
constexpr bool SwapsWidthAndHeight(ExifOrientation orientation) {
    return static_cast<int>(orientation) >= 5 && static_cast<int>(orientation) <= 8;
}

// Where the stored pixel (x, y) of a `width` x `height` image goes in the upright image.
struct UprightPoint {
    uint32_t x;
    uint32_t y;
};
UprightPoint UprightPosition(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t x, uint32_t y);

// Copies `rows` stored rows, starting at stored row `firstRow`, of a `width` x `height` image of
// 32-bit pixels (`source`: `rows` rows of `width` pixels each, no padding) into `upright`, the
// upright image (width and height swapped when the orientation says so; rows without padding).
// Called strip by strip, it turns the whole image without holding it twice.
void PlaceRowsUpright(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t firstRow, uint32_t rows,
                      const uint32_t* source, uint32_t* upright);

// As PlaceRowsUpright, for 3-byte pixels: the stored rows in `source` are `sourceStride` bytes
// apart, and the upright image is the rows of a bottom-up bitmap (its last row first),
// `bitmapStride` bytes apart. Only the pixels are written, never a row's padding.
void PlaceRowsUprightInBitmap(ExifOrientation orientation, uint32_t width, uint32_t height, uint32_t firstRow,
                              uint32_t rows, const uint8_t* source, size_t sourceStride, uint8_t* bitmap,
                              size_t bitmapStride);
