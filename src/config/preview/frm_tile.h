// The fullscreen preview frmTile: the selected picture over the whole monitor in its display
// style, at real size, as the desktop will show it. Modal over the configuration window; the
// release of a key or a mouse button closes it.
#pragma once

#include <windows.h>

#include <bitset>
#include <cstdint>
#include <memory>

#include "common/picture.h"
#include "common/picture_entry.h"
#include "common/scoped_win.h"
#include "common/window_base.h"

struct DrawPlan;

namespace config {

inline constexpr char kFullscreenCaption[] = "Quilloria - Fullscreen Preview";

// Shows `picture` over the whole monitor that `owner` is on, in the style of `entry`, modal over
// `owner`; returns when the user has closed it by releasing a key or a mouse button.
void ShowFullscreenPreview(HWND owner, const Picture& picture, const PictureEntry& entry);

// The window frmTile. One object per opening: created by ShowFullscreenPreview, gone when it
// returns.
class FullscreenForm {
public:
    // Keeps a share of `picture` (never loaded again) and the style of `entry`.
    FullscreenForm(const Picture& picture, const PictureEntry& entry);
    FullscreenForm(const FullscreenForm&) = delete;
    FullscreenForm& operator=(const FullscreenForm&) = delete;
    ~FullscreenForm();

    // Creates the window, hidden, over the monitor `owner` is on (the primary one without an
    // owner), and runs Form_Load. Returns false when the window could not be created.
    bool Load(HINSTANCE instance, HWND owner);

    HWND hwnd() const { return hwnd_; }

    // True from Form_Load until the first paint has drawn the picture.
    bool PaintPending = false;

    void Form_Load();
    // Draws the picture on the first paint; every paint then shows the drawing in `area`.
    void Form_Paint(HDC dc, const RECT& area);
    void Form_KeyUp(int key);
    void Form_MouseUp(int button);
    void Form_Unload();

    // Lays the picture out over the window in drawing mode `mode` and draws it.
    void DrawFullscreen(int16_t mode);

private:
    friend LRESULT CALLBACK ::FormWindowProc<FullscreenForm>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Draws the whole plan into `dc`, a surface of the window's size whose pixels can be read back.
    void DrawFrame(HDC dc) const;
    // Draws the part of the plan within `area` of `dc`, reading nothing back.
    void DrawArea(HDC dc, const RECT& area) const;
    void DrawElements(HDC dc) const;

    HWND hwnd_ = nullptr;
    RECT monitor_{};                 // the monitor the window covers, in screen pixels
    Picture source_;                 // the picture handed in
    int16_t mode_ = 0;               // the drawing mode of the entry
    Picture iBmp0_;                  // the picture being shown; empty once the window closes
    std::unique_ptr<DrawPlan> plan_;  // in twips of the window's DPI; none before the first paint
    double scale_ = 96.0 / 1440;     // device pixels per twip
    int width_ = 0, height_ = 0;     // the client area in pixels when the plan was made
    ScopedGdiObject<HBITMAP> frame_;  // the drawing, kept for the paints after the first
    std::bitset<256> keysPressed_;   // keys pressed while the window is open
    unsigned buttonsPressed_ = 0;    // mouse buttons pressed while the window is open (MK_ bits)
};

}  // namespace config
