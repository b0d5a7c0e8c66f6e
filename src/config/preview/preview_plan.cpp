#include "config/preview/preview_plan.h"

#include <algorithm>
#include <cmath>

namespace {

// The miniature and the fullscreen share one layout; these are the points where they differ.
struct Area {
    double width, height;  // the drawing area in plan units
    int64_t unitTwips;     // twips per plan unit; tiles are counted and stepped in whole twips
    // The bounds of painting and of placing fitted copies, in twips: the painting loops run while
    // x <= outerWidth - 1, fitted copies are counted over outerWidth - copyAllowance.
    int64_t outerWidth, outerHeight;
    int64_t copyAllowance;
    bool largeAtAreaSize;       // a picture exactly as wide or high as the area counts as large
    bool centredSquareByWidth;  // a square picture is centred at the area's width, not its height
};

// The miniature: 160 x 120 pixels inside a box of 2445 x 1845 twips whose border takes 46 twips.
constexpr Area kMiniature{160, 120, 15, 2445, 1845, 46, true, false};

// The fullscreen: the screen in twips, one twip kept off its far edges.
Area Fullscreen(int32_t screenWidth, int32_t screenHeight) {
    return {double(screenWidth), double(screenHeight), 1, screenWidth, screenHeight, 1, false, true};
}

struct Size {
    double width, height;
};

bool IsLarge(const Area& area, double w, double h) {
    return area.largeAtAreaSize ? (w >= area.width || h >= area.height) : (w > area.width || h > area.height);
}

// Returns the picture scaled to the area's width when it is wider than high, else to the area's
// height; a square one as `squareByWidth` says. The choice looks at the picture's aspect alone, so
// a fitted picture may overflow the area in the other direction (300 x 250 becomes 160 x 133).
Size Fit(const Area& area, double w, double h, bool squareByWidth) {
    const double aspect = w / h;
    const bool byWidth = aspect > 1 || (aspect == 1 && squareByWidth);
    return byWidth ? Size{area.width, area.width / aspect} : Size{area.height * aspect, area.height};
}

DrawPlan Centred(const Area& area, double w, double h) {
    const bool large = IsLarge(area, w, h);
    const Size s = large ? Fit(area, w, h, area.centredSquareByWidth) : Size{w, h};
    return {{{area.width / 2 - s.width / 2, area.height / 2 - s.height / 2, s.width, s.height, large}}, {}};
}

// Number of steps of `step` from 0 that stay within 0 .. last.
int32_t StepsWithin(int64_t last, int64_t step) { return last < 0 ? 0 : static_cast<int32_t>(last / step + 1); }

DrawPlan Tiled(const Area& area, double w, double h) {
    DrawPlan plan;
    if (!IsLarge(area, w, h)) {
        // Copies painted at natural size up to the outer edge (the miniature's border included).
        const int64_t tw = std::llround(w * double(area.unitTwips));
        const int64_t th = std::llround(h * double(area.unitTwips));
        plan.copies = {w, h, StepsWithin(area.outerWidth - 1, tw), StepsWithin(area.outerHeight - 1, th)};
        return plan;
    }
    // One element fitted to the area at (0, 0), and copies of it in a row to its right or a
    // column below it up to the far edge. Tile sizes are whole twips, at least one, so that a
    // very thin picture still steps forward.
    const Size s = Fit(area, w, h, false);
    const int64_t tw = std::max<int64_t>(1, std::llround(s.width * double(area.unitTwips)));
    const int64_t th = std::max<int64_t>(1, std::llround(s.height * double(area.unitTwips)));
    const int64_t right = area.outerWidth - area.copyAllowance;
    const int64_t bottom = area.outerHeight - area.copyAllowance;
    const int64_t count = std::max<int64_t>(0, bottom / th) + std::max<int64_t>(0, right / tw);
    const double unit = double(area.unitTwips);
    plan.elements.push_back({0, 0, double(tw) / unit, double(th) / unit, true});
    int64_t left = 0, top = 0;
    for (int64_t i = 1; i <= count; ++i) {
        // Each copy starts at (0, 0) and moves past the previous one, across first, then down.
        if (left + tw < right) {
            left += tw;
            top = 0;
        } else if (top + th < bottom) {
            top += th;
            left = 0;
        } else {
            left = top = 0;
        }
        plan.elements.push_back({double(left) / unit, double(top) / unit, double(tw) / unit, double(th) / unit, true});
    }
    return plan;
}

DrawPlan Plan(const Area& area, int16_t mode, double w, double h) {
    if (w <= 0 || h <= 0) return {};
    switch (mode) {
        case kCentred: return Centred(area, w, h);
        case kTiled: return Tiled(area, w, h);
        case kStretched: return {{{0, 0, area.width, area.height, true}}, {}};
        default: return {};
    }
}

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

int16_t DrawModeOf(int16_t tile, bool stretch) {
    if (tile != 0) return kTiled;
    return stretch ? kStretched : kCentred;
}

PlacedPicture PaintedCopies::At(int32_t column, int32_t row) const {
    return {column * width, row * height, width, height, false};
}

DrawPlan PlanMiniature(int16_t mode, int pictureWidth, int pictureHeight) {
    return Plan(kMiniature, mode, pictureWidth, pictureHeight);
}

DrawPlan PlanFullscreen(int16_t mode, int32_t pictureWidthTwips, int32_t pictureHeightTwips, int32_t screenWidthTwips,
                        int32_t screenHeightTwips) {
    if (screenWidthTwips <= 0 || screenHeightTwips <= 0) return {};
    return Plan(Fullscreen(screenWidthTwips, screenHeightTwips), mode, pictureWidthTwips, pictureHeightTwips);
}

CopyRange CopiesMeeting(const PaintedCopies& copies, int copyWidth, int copyHeight, int left, int top, int right,
                        int bottom) {
    if (copyWidth <= 0 || copyHeight <= 0) return {};
    // The first copy whose far edge lies past `from`, and the first whose near edge is at `to` or
    // beyond, within 0 .. count; in 64 bits, so that no sum overflows.
    const auto span = [](int32_t count, int64_t size, int64_t from, int64_t to, int32_t& first, int32_t& end) {
        first = static_cast<int32_t>(std::clamp<int64_t>(from / size, 0, count));
        end = static_cast<int32_t>(std::clamp<int64_t>((to + size - 1) / size, 0, count));
    };
    CopyRange range;
    span(copies.across, copyWidth, left, right, range.firstColumn, range.endColumn);
    span(copies.down, copyHeight, top, bottom, range.firstRow, range.endRow);
    range.right = static_cast<int>(std::min<int64_t>(right, int64_t{range.endColumn} * copyWidth));
    range.bottom = static_cast<int>(std::min<int64_t>(bottom, int64_t{range.endRow} * copyHeight));
    return range;
}

PixelRect ToDevicePixels(const PlacedPicture& placed, double scale) {
    const int left = RoundToInt(placed.left * scale);
    const int top = RoundToInt(placed.top * scale);
    const int right = RoundToInt((placed.left + placed.width) * scale);
    const int bottom = RoundToInt((placed.top + placed.height) * scale);
    return {left, top, right - left, bottom - top};
}
