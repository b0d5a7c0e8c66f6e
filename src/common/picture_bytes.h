// Reading the heads of picture files: fixed-size numbers in either byte order, and the marker
// segments of a JPEG file. No <windows.h> here.
#pragma once

#include <cstddef>
#include <cstdint>

// Unsigned numbers of 2 and 4 bytes at `p`, little-endian (Le) or big-endian (Be). The caller
// makes sure the bytes are there.
constexpr uint32_t Le16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
constexpr uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }
constexpr uint32_t Be16(const uint8_t* p) { return uint32_t{p[0]} << 8 | p[1]; }
constexpr uint32_t Be32(const uint8_t* p) { return Be16(p) << 16 | Be16(p + 2); }

// A marker segment of a JPEG file: its marker and where its payload (the bytes after the length
// field) lies in the file. The payload may reach past the bytes at hand.
struct JpegSegment {
    uint8_t marker = 0;
    size_t payload = 0;      // offset of the payload in the file
    size_t payloadSize = 0;  // as the length field claims it
};

// Walks the marker segments of the JPEG file that `bytes` begins with, one by one, from the start
// of the file up to its image data. Markers without a length (restart markers, fill bytes) are
// passed over. Reads only within [bytes, bytes + size).
class JpegSegmentWalker {
public:
    JpegSegmentWalker(const uint8_t* bytes, size_t size);

    // Gives the next segment that has a length field. Returns false at the image data or the end
    // of the file, when the bytes end first, for bytes that are no JPEG, or where no marker stands
    // where one belongs. A segment whose length field is below 2 is given (with no payload) and
    // ends the walk.
    bool Next(JpegSegment& segment);

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t pos_;
};
