// The arrow that the configuration window's move buttons show: a head and a shaft, sized from the
// button's client area so that it grows with the DPI like the rest of the window. No <windows.h>.
#pragma once

#include <array>

enum class ArrowDirection { Up, Down };

struct ArrowPoint {
    int x = 0, y = 0;
    bool operator==(const ArrowPoint&) const = default;
};

// The outline of an arrow centred in a client area of `width` x `height` pixels: seven corners
// in drawing order, in inclusive pixel coordinates (fill the polygon and draw its outline in one
// colour). `count` is 0 when the area is too small to hold an arrow.
struct ArrowShape {
    std::array<ArrowPoint, 7> points{};
    int count = 0;
    // How far inside the client area the focus rectangle goes, in pixels.
    int focusInset = 0;
};

// Returns the arrow for a button client area of `width` x `height` pixels.
ArrowShape ArrowFor(int width, int height, ArrowDirection direction);
