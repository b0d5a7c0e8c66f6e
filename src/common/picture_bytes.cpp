#include "common/picture_bytes.h"

JpegSegmentWalker::JpegSegmentWalker(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size), pos_(2) {
    const bool jpeg = bytes != nullptr && size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
    if (!jpeg) pos_ = size_;  // nothing to walk
}

bool JpegSegmentWalker::Next(JpegSegment& segment) {
    // A segment needs its marker and its length field: four bytes.
    while (pos_ < size_ && size_ - pos_ >= 4) {
        if (bytes_[pos_] != 0xFF) return false;  // not a marker: damaged
        const uint8_t marker = bytes_[pos_ + 1];
        if (marker == 0xFF) {  // a fill byte before a marker
            ++pos_;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
            pos_ += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return false;  // the image data, or the end of the file

        const uint32_t length = Be16(bytes_ + pos_ + 2);
        segment = {marker, pos_ + 4, length >= 2 ? length - 2 : 0};
        pos_ = length >= 2 ? pos_ + 2 + length : size_;
        return true;
    }
    return false;
}
