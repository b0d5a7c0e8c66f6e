#include "config/arrow_shape.h"

#include <algorithm>

namespace {

// The proportions of the arrow, relative to the smaller side of a button 27 pixels square (the
// move buttons at 96 dpi): a head 13 pixels wide over a shaft of 5 x 3.
constexpr int kDesignSide = 27;
constexpr int kHeadWidth = 13;
constexpr int kShaftWidth = 5;
constexpr int kShaftHeight = 3;
constexpr int kFocusInset = 3;

int Scaled(int value, int side, int design) { return (value * side + design / 2) / design; }
// Odd widths keep the head's tip on a pixel column of its own, so both halves are alike.
int Odd(int value) { return value % 2 == 0 ? value - 1 : value; }

}  // namespace

ArrowShape ArrowFor(int width, int height, ArrowDirection direction) {
    ArrowShape shape;
    const int side = std::min(width, height);
    if (side < 5) return shape;
    shape.focusInset = std::max(1, Scaled(kFocusInset, side, kDesignSide));

    const int headWidth = std::max(3, Odd(Scaled(kHeadWidth, side, kDesignSide)));
    const int headHeight = headWidth / 2 + 1;  // sides at 45 degrees
    const int shaftWidth = std::max(1, Odd(Scaled(kShaftWidth, headWidth, kHeadWidth)));
    const int shaftHeight = std::max(1, Scaled(kShaftHeight, headWidth, kHeadWidth));
    const int totalHeight = headHeight + shaftHeight;

    const int left = (width - headWidth) / 2;
    const int top = (height - totalHeight) / 2;
    const int centre = left + headWidth / 2;
    const int base = top + headHeight - 1;  // the row where the head meets the shaft
    const int bottom = top + totalHeight - 1;
    const int half = shaftWidth / 2;
    shape.points = {{{centre, top},
                     {left + headWidth - 1, base},
                     {centre + half, base},
                     {centre + half, bottom},
                     {centre - half, bottom},
                     {centre - half, base},
                     {left, base}}};
    if (direction == ArrowDirection::Down) {
        for (ArrowPoint& point : shape.points) point.y = top + bottom - point.y;
    }
    shape.count = static_cast<int>(shape.points.size());
    return shape;
}
