#include "config/preview/box_scale.h"

#include <array>
#include <vector>

namespace {
// The first source index of target index i of n over a source of `size`.
int BlockStart(int i, int n, int size) { return static_cast<int>(static_cast<int64_t>(i) * size / n); }
}  // namespace

bool BoxShrink(const uint32_t* source, int sourceWidth, int sourceHeight, size_t sourceStride, uint32_t* target,
               int targetWidth, int targetHeight) {
    if (!source || !target || targetWidth < 1 || targetHeight < 1 || targetWidth > sourceWidth ||
        targetHeight > sourceHeight || sourceStride < static_cast<size_t>(sourceWidth)) {
        return false;
    }
    std::vector<int> columnOf(static_cast<size_t>(sourceWidth));
    for (int tx = 0; tx < targetWidth; ++tx) {
        const int end = BlockStart(tx + 1, targetWidth, sourceWidth);
        for (int sx = BlockStart(tx, targetWidth, sourceWidth); sx < end; ++sx) columnOf[static_cast<size_t>(sx)] = tx;
    }
    std::vector<std::array<uint64_t, 4>> sums(static_cast<size_t>(targetWidth));
    for (int ty = 0; ty < targetHeight; ++ty) {
        const int firstRow = BlockStart(ty, targetHeight, sourceHeight);
        const int endRow = BlockStart(ty + 1, targetHeight, sourceHeight);
        for (auto& sum : sums) sum = {};
        for (int sy = firstRow; sy < endRow; ++sy) {
            const uint32_t* row = source + static_cast<size_t>(sy) * sourceStride;
            for (int sx = 0; sx < sourceWidth; ++sx) {
                const uint32_t pixel = row[sx];
                auto& sum = sums[static_cast<size_t>(columnOf[static_cast<size_t>(sx)])];
                sum[0] += pixel & 0xFF;
                sum[1] += (pixel >> 8) & 0xFF;
                sum[2] += (pixel >> 16) & 0xFF;
                sum[3] += pixel >> 24;
            }
        }
        uint32_t* out = target + static_cast<size_t>(ty) * static_cast<size_t>(targetWidth);
        const uint64_t rows = static_cast<uint64_t>(endRow - firstRow);
        for (int tx = 0; tx < targetWidth; ++tx) {
            const uint64_t count =
                rows * static_cast<uint64_t>(BlockStart(tx + 1, targetWidth, sourceWidth) - BlockStart(tx, targetWidth, sourceWidth));
            const auto& sum = sums[static_cast<size_t>(tx)];
            uint32_t pixel = 0;
            for (int channel = 3; channel >= 0; --channel) {
                pixel = (pixel << 8) | static_cast<uint32_t>((sum[static_cast<size_t>(channel)] + count / 2) / count);
            }
            out[tx] = pixel;
        }
    }
    return true;
}
