// Where the miniature and the fullscreen preview draw the picture in each display style, as plans
// that the windows only apply. No <windows.h> here.
#pragma once

#include <cstdint>
#include <vector>

// The drawing mode of both previews.
enum DrawMode : int16_t { kCentred = 0, kTiled = 1, kStretched = 2 };

// Returns the drawing mode of a picture entry: tiled whenever `tile` is non-zero, otherwise
// stretched or centred as `stretch` says.
int16_t DrawModeOf(int16_t tile, bool stretch);

// One image element: its top-left corner and size. Not stretched, the size is the picture's
// natural size; stretched, the picture is scaled to it.
struct PlacedPicture {
    double left = 0, top = 0, width = 0, height = 0;
    bool stretched = false;
    bool operator==(const PlacedPicture&) const = default;
};

// Copies of the picture painted at natural size side by side from (0, 0): `across` copies in each
// of `down` rows, painted row by row from the top, each row from the left. Kept as a grid rather
// than a list, because a tiny picture on a large screen makes millions of copies.
struct PaintedCopies {
    double width = 0, height = 0;  // the natural size of each copy, which is also the step
    int32_t across = 0, down = 0;
    bool operator==(const PaintedCopies&) const = default;

    int64_t Count() const { return int64_t{across} * down; }
    // Returns the copy in `column` and `row` (both from 0).
    PlacedPicture At(int32_t column, int32_t row) const;
};

// A drawing: the image elements to show (element 0 first; each later one is a copy of element 0
// moved elsewhere) and the copies to paint. Fractional positions and sizes are kept as they are.
struct DrawPlan {
    std::vector<PlacedPicture> elements;
    PaintedCopies copies;
    bool operator==(const DrawPlan&) const = default;

    bool empty() const { return elements.empty() && copies.Count() == 0; }
};

// The miniature: the picture's natural size in pixels, laid out in the 160 x 120 drawing area of
// the preview box at 96 dpi (the window scales by its own dpi / 96). Painted copies reach to the
// box's outer edge (163 x 123), where the window clips them. An unknown mode or a picture without
// a positive width and height gives an empty plan.
DrawPlan PlanMiniature(int16_t mode, int pictureWidth, int pictureHeight);

// The fullscreen preview: everything in twips. An unknown mode, a picture or a screen without a
// positive width and height gives an empty plan.
DrawPlan PlanFullscreen(int16_t mode, int32_t pictureWidthTwips, int32_t pictureHeightTwips, int32_t screenWidthTwips,
                        int32_t screenHeightTwips);

// The painted copies that meet a rectangle of the window, each copy `copyWidth` x `copyHeight`
// device pixels and stepped by that size from (0, 0): columns firstColumn .. endColumn - 1 of
// rows firstRow .. endRow - 1, none where an end is not past its first. `right` and `bottom` are
// where those copies end, cut at the rectangle's right and bottom edges.
struct CopyRange {
    int32_t firstColumn = 0, endColumn = 0;
    int32_t firstRow = 0, endRow = 0;
    int right = 0, bottom = 0;
    bool operator==(const CopyRange&) const = default;
};

// Returns the copies of `copies` that meet the rectangle from (left, top) to (right, bottom),
// right and bottom excluded. A copy size below one pixel gives no copies.
CopyRange CopiesMeeting(const PaintedCopies& copies, int copyWidth, int copyHeight, int left, int top, int right,
                        int bottom);

// A placement in whole device pixels.
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Returns the placement scaled by `scale` (device pixels per plan unit: dpi / 96 for the
// miniature, dpi / 1440 for the fullscreen) with each edge rounded to the nearest pixel, so that
// copies placed edge to edge stay edge to edge.
PixelRect ToDevicePixels(const PlacedPicture& placed, double scale);
