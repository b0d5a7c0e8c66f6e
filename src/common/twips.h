// Window layouts are kept in twips (1/1440 inch); windows are placed in pixels of the window's DPI.
#pragma once

// Returns the pixels of `twips` at `dpi` dots per inch, rounded to the nearest pixel
// (15 twips are one pixel at 96 dpi).
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

// Returns the twips of `pixels` at `dpi` dots per inch.
constexpr int PixelsToTwips(int pixels, int dpi) {
    return dpi > 0 ? static_cast<int>(static_cast<long long>(pixels) * 1440 / dpi) : 0;
}
