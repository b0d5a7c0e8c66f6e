// The size a picture file's header claims, read before the file is handed to a decoder, so that
// absurd or oversized pictures are refused before anything of their size is allocated.
// Platform-free: it only reads bytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct ClaimedSize {
    enum class Status {
        Unknown,  // not a format recognised here, or the header lies beyond the bytes given
        Known,    // width and height as the header gives them
        Invalid,  // a recognised format whose header is impossible (a zero or negative side)
    };
    Status status = Status::Unknown;
    uint64_t width = 0;
    uint64_t height = 0;
};

// Reads the dimensions from the head of a Windows bitmap, GIF, JPEG or PNG file (`size` bytes of
// its beginning). For a GIF, the largest of the screen and of every frame found in the bytes.
ClaimedSize ReadClaimedSize(const uint8_t* bytes, size_t size);

// True when a picture of the given size may be decoded: both sides at least 1 and at most
// `maxSide`, and at most `maxPixels` pixels in all.
bool SizeWithinLimits(uint64_t width, uint64_t height, uint64_t maxSide, uint64_t maxPixels);

// What a decoded picture is for: a preview keeps a 32-bit copy beside the decoder's own and the
// previews already held; a conversion to the wallpaper bitmap holds at most a 24-bit one.
enum class PictureUse { Preview, Conversion };

// The largest picture, in pixels, that a process whose user address space is `addressSpaceBytes`
// decodes for `use`: at most 256 Mi pixels, and fewer where the copies of that use would not fit
// in a share of the address space (a 32-bit program: 2, 3 or 4 GB), a power of two.
uint64_t MaxPixelsForAddressSpace(PictureUse use, uint64_t addressSpaceBytes);
