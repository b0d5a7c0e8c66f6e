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
    std::vector<int> columnStart(static_cast<size_t>(targetWidth) + 1);
    for (int tx = 0; tx <= targetWidth; ++tx) columnStart[static_cast<size_t>(tx)] = BlockStart(tx, targetWidth, sourceWidth);
    std::vector<std::array<uint64_t, 4>> sums(static_cast<size_t>(targetWidth));
    for (int ty = 0; ty < targetHeight; ++ty) {
        const int firstRow = BlockStart(ty, targetHeight, sourceHeight);
        const int endRow = BlockStart(ty + 1, targetHeight, sourceHeight);
        for (auto& sum : sums) sum = {};
        for (int sy = firstRow; sy < endRow; ++sy) {
            const uint32_t* row = source + static_cast<size_t>(sy) * sourceStride;
            for (int tx = 0; tx < targetWidth; ++tx) {
                auto& sum = sums[static_cast<size_t>(tx)];
                const int from = columnStart[static_cast<size_t>(tx)], to = columnStart[static_cast<size_t>(tx) + 1];
                if (to - from <= 256) {
                    // Two channels at once in 16-bit lanes, which hold the sum of 256 bytes.
                    uint32_t blueRed = 0, greenAlpha = 0;
                    for (int sx = from; sx < to; ++sx) {
                        blueRed += row[sx] & 0x00FF00FF;
                        greenAlpha += (row[sx] >> 8) & 0x00FF00FF;
                    }
                    sum[0] += blueRed & 0xFFFF;
                    sum[2] += blueRed >> 16;
                    sum[1] += greenAlpha & 0xFFFF;
                    sum[3] += greenAlpha >> 16;
                } else {
                    for (int sx = from; sx < to; ++sx) {
                        for (int channel = 0; channel < 4; ++channel) {
                            sum[static_cast<size_t>(channel)] += (row[sx] >> (8 * channel)) & 0xFF;
                        }
                    }
                }
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
