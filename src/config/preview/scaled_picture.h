// Pictures drawn at one size again and again: the miniature's tiles and copies, the fullscreen's
// fitted picture. Each size is made once from the full-resolution picture and then only copied.
#pragma once

#include <windows.h>

#include <vector>

#include "common/picture.h"
#include "config/preview/preview_plan.h"

class ScaledPictures {
public:
    ScaledPictures() = default;
    ScaledPictures(const ScaledPictures&) = delete;
    ScaledPictures& operator=(const ScaledPictures&) = delete;
    ~ScaledPictures() { Clear(); }

    // Returns a bitmap of `picture` at `width` x `height` pixels, owned by this cache (or by the
    // picture itself at its natural size); 0 for the empty picture or a size below 1. Shrinking
    // averages the picture's pixels; enlarging uses the system's halftone stretching.
    HBITMAP At(const Picture& picture, int width, int height);

    // Draws `picture` scaled to `rect` of `dc`.
    void Draw(HDC dc, const Picture& picture, const PixelRect& rect);

    // Fills `area` of `dc` with copies of `picture` at `width` x `height`, side by side from the
    // point (originX, originY).
    void Tile(HDC dc, const Picture& picture, int width, int height, int originX, int originY, const RECT& area);

    // Lets go of every bitmap made.
    void Clear();

private:
    struct Entry {
        Picture source;  // kept alive, so that a cached size never belongs to another picture
        int width = 0, height = 0;
        HBITMAP bitmap = nullptr;
    };
    std::vector<Entry> entries_;
};
