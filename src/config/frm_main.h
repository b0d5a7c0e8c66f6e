// The configuration window: the picture list, the preview frame, the autostart check box and the
// OK and Cancel buttons.
#pragma once

#include <windows.h>

#include "common/form_builder.h"
#include "common/window_base.h"
#include "config/main_layout.h"

namespace config {

// Resource ids of the arrow pictures of btnUp and btnDown.
inline constexpr int kArrowUpBitmap = 101;
inline constexpr int kArrowDownBitmap = 102;

class ConfigMainForm {
public:
    // Creates the window and its controls without showing it, owned by `owner`; runs Form_Load.
    // Returns false when the window or one of its controls could not be created.
    bool Load(HINSTANCE instance, HWND owner);

    // Shows the window, not modal; its first activation fills the list.
    void Show();

    // Closes the window as its close box does; the program ends.
    void Unload();

    HWND hwnd() const { return hwnd_; }
    HWND Control(MainControl control) const { return controls_[static_cast<int>(control)]; }
    int Dpi() const { return controls_.Dpi(); }

    // Rebuilds lPix from Pictures: all rows removed, then the file names of slots 1..N. The
    // selection is not restored; callers do that.
    void FillPictureList();

    // True from loading until the first activation has been handled.
    bool FirstActivation = false;
    // While true, a change of lPix's selection does not reload the preview.
    bool IgnoreListClick = false;

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void btnCancel_Click();
    void btnOk_Click();
    void btnAbout_Click();

private:
    friend LRESULT CALLBACK ::FormWindowProc<ConfigMainForm>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);

    bool CreateControls();
    void ReleaseResources();

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    FormControls controls_;
    HBITMAP arrowUp_ = nullptr;
    HBITMAP arrowDown_ = nullptr;
};

// The program's configuration window.
extern ConfigMainForm frmMain;

}  // namespace config
