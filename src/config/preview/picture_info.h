// The three lines of picture information beside the miniature: size, colour depth and file size.
// No <windows.h> here; the window reads the file and the locale's separator and shows the lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/picture_name.h"

// Returns the number of colours of a bit depth ("256" for 8, "16,7M" for 24 and 32), or the empty
// text for a depth without one.
std::string ColorCountText(int16_t bits);

// Returns "640x480": width and height as plain decimal numbers (a negative one keeps its sign).
std::string PictureSizeText(int width, int height);

// Returns `value` with its digits grouped by thousands with `separator` ("1,234,567"), at least one
// digit, a negative value with its sign.
std::string GroupThousands(int64_t value, std::string_view separator);

// The fields of a Windows bitmap's file and info headers that the information shows.
struct BitmapInfoFields {
    int32_t fileSize = 0;  // bfSize: as the header claims it, not the file's length on disk
    int32_t width = 0;     // biWidth
    int32_t height = 0;    // biHeight: negative for a top-down bitmap
    int16_t bitCount = 0;  // biBitCount
    bool operator==(const BitmapInfoFields&) const = default;
};

// The bytes of a bitmap file's beginning that ReadBitmapInfoFields needs.
inline constexpr size_t kBitmapInfoBytes = 30;

// Reads the fields from the first `size` bytes of a bitmap file (little-endian), from whichever
// info header it has: the older 12-byte one (16-bit width and height) or a later one. Nothing
// when the bytes end before the fields.
std::optional<BitmapInfoFields> ReadBitmapInfoFields(const uint8_t* bytes, size_t size);

// Returns the three lines of a bitmap, all from its header: "640x480", "24 Bits (16,7M)",
// "921,654 bytes".
std::vector<std::string> BitmapInfoLines(const BitmapInfoFields& fields, std::string_view thousandsSeparator);

// Returns the three lines of a GIF (always 8 bits) or JPEG (always 24 bits) from the decoded
// picture's size and the file's length on disk; no lines for any other kind.
std::vector<std::string> DecodedInfoLines(PictureNameKind kind, int width, int height, int64_t fileLength,
                                          std::string_view thousandsSeparator);
