#include "config/preview/scaled_picture.h"

#include <new>

#include "common/scoped_win.h"
#include "config/preview/box_scale.h"

HBITMAP ScaledPictures::At(const Picture& picture, int width, int height) {
    const DecodedImage* image = picture.Image();
    if (!image || width < 1 || height < 1) return nullptr;
    if (width == image->width() && height == image->height()) return image->bitmap();
    for (const Entry& entry : entries_) {
        if (entry.source.Image() == image && entry.scaled.Width() == width && entry.scaled.Height() == height) {
            return entry.scaled.Image()->bitmap();
        }
    }
    // Sizes of another picture go: they would keep that whole picture alive.
    std::erase_if(entries_, [&](const Entry& entry) { return entry.source.Image() != image; });

    uint32_t* pixels = nullptr;
    Picture scaled = NewPicture(width, height, &pixels);
    if (scaled.IsEmpty()) return nullptr;
    const bool shrunk = width <= image->width() && height <= image->height() &&
                        BoxShrink(image->row(0), image->width(), image->height(), static_cast<size_t>(image->width()),
                                  pixels, width, height);
    if (!shrunk) {
        ScopedMemoryDC target(nullptr);
        ScopedSelectObject select(target, scaled.Image()->bitmap());
        picture.PaintScaled(target, 0, 0, width, height);
    }
    try {
        entries_.push_back({picture, std::move(scaled)});
    } catch (const std::bad_alloc&) {  // painting goes on without this size
        return nullptr;
    }
    return entries_.back().scaled.Image()->bitmap();
}

void ScaledPictures::Draw(HDC dc, const Picture& picture, const PixelRect& rect) {
    HBITMAP bitmap = At(picture, rect.width, rect.height);
    if (!bitmap) return;
    ScopedMemoryDC memory(dc);
    ScopedSelectObject select(memory, bitmap);
    BitBlt(dc, rect.left, rect.top, rect.width, rect.height, memory, 0, 0, SRCCOPY);
}

void ScaledPictures::Tile(HDC dc, const Picture& picture, int width, int height, int originX, int originY,
                          const RECT& area) {
    HBITMAP bitmap = At(picture, width, height);
    if (!bitmap) return;
    // A pattern brush repeats the picture from its origin: one fill instead of a copy per tile,
    // which matters for a tiny picture on a large screen.
    ScopedGdiObject<HBRUSH> brush(CreatePatternBrush(bitmap));
    if (!brush) return;
    POINT previous{};
    SetBrushOrgEx(dc, originX, originY, &previous);
    FillRect(dc, &area, brush);
    SetBrushOrgEx(dc, previous.x, previous.y, nullptr);
}
