// Shrinking a picture by averaging: every target pixel is the mean of the block of source pixels
// it covers. A 24-megapixel photo becomes a miniature in one pass over its pixels, far faster than
// the system's halftone stretching, and without the aliasing of dropping pixels. No <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>

// Shrinks `source` (sourceWidth x sourceHeight pixels of 4 bytes each, rows `sourceStride` pixels
// apart) into `target` (targetWidth x targetHeight, rows targetWidth apart). Each of the 4 bytes of
// a pixel is averaged on its own. The target must be no larger than the source in either direction
// and at least 1 x 1; otherwise nothing is written and false is returned.
bool BoxShrink(const uint32_t* source, int sourceWidth, int sourceHeight, size_t sourceStride, uint32_t* target,
               int targetWidth, int targetHeight);
