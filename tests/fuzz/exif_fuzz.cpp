// libFuzzer target of the readers that see a picture file's head before any decoder does: the
// Exif orientation of a JPEG and the size a header claims. Any bytes must be read without reading
// outside them, and the results must stay in their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/exif_orientation.h"
#include "common/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so that ASan sees any read past the end.
    const std::vector<uint8_t> bytes(data, data + size);
    const uint8_t* head = bytes.empty() ? nullptr : bytes.data();

    const ExifOrientation orientation = ReadExifOrientation(head, bytes.size());
    const int value = static_cast<int>(orientation);
    if (value < 1 || value > 8) std::abort();

    const ClaimedSize claimed = ReadClaimedSize(head, bytes.size());
    if (claimed.status == ClaimedSize::Status::Known && (claimed.width == 0 || claimed.height == 0)) std::abort();
    SizeWithinLimits(claimed.width, claimed.height, 65535, 256u << 20);

    // Turning a small picture by the orientation read must stay inside the upright copy.
    if (size >= 2) {
        const uint32_t width = 1 + data[0] % 7, height = 1 + data[1] % 5;
        std::vector<uint32_t> stored(size_t{width} * height, 1), upright(stored.size(), 0);
        PlaceRowsUpright(orientation, width, height, 0, height, stored.data(), upright.data());
        for (uint32_t pixel : upright) {
            if (pixel != 1) std::abort();  // every place filled exactly from the stored pixels
        }
    }
    return 0;
}
