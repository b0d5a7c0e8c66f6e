#include "config/preview/scaled_picture.h"

#include "common/scoped_win.h"
#include "config/preview/box_scale.h"

namespace {

// Only a few sizes are alive at once (a fitted tile, a stretched picture); older ones go.
constexpr size_t kMaxSizes = 4;

HBITMAP CreateTopDownBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

HBITMAP ScaledPictures::At(const Picture& picture, int width, int height) {
    const DecodedImage* image = picture.Image();
    if (!image || width < 1 || height < 1) return nullptr;
    if (width == image->width() && height == image->height()) return image->bitmap();
    for (const Entry& entry : entries_) {
        if (entry.source.Image() == image && entry.width == width && entry.height == height) return entry.bitmap;
    }

    void* bits = nullptr;
    HBITMAP bitmap = CreateTopDownBitmap(width, height, &bits);
    if (!bitmap) return nullptr;
    const bool shrunk = width <= image->width() && height <= image->height() &&
                        BoxShrink(image->row(0), image->width(), image->height(), static_cast<size_t>(image->width()),
                                  static_cast<uint32_t*>(bits), width, height);
    if (!shrunk) {
        ScopedMemoryDC target(nullptr);
        ScopedSelectObject select(target, bitmap);
        picture.PaintScaled(target, 0, 0, width, height);
    }
    if (entries_.size() >= kMaxSizes) {
        DeleteObject(entries_.front().bitmap);
        entries_.erase(entries_.begin());
    }
    entries_.push_back({picture, width, height, bitmap});
    return bitmap;
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

void ScaledPictures::Clear() {
    for (const Entry& entry : entries_) DeleteObject(entry.bitmap);
    entries_.clear();
}
