// The configuration window: the picture list, the preview frame, the autostart check box and the
// OK and Cancel buttons.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/form_builder.h"
#include "common/picture.h"
#include "common/picture_entry.h"
#include "common/scoped_win.h"
#include "common/window_base.h"
#include "config/entry_ids.h"
#include "config/main_layout.h"
#include "config/preview/preview_plan.h"
#include "config/preview/scaled_picture.h"

namespace config {

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
    // Takes row `row` out of lPix after its entry left Pictures: the list then shows and scrolls
    // as FillPictureList would leave it.
    void RemoveListRow(int row);

    // True from loading until the first activation has been handled.
    bool FirstActivation = false;
    // While true, a change of lPix's selection does not reload the preview.
    bool IgnoreListClick = false;
    // The entry the fullscreen preview shows, copied when "&Fullscreen" is pressed.
    PictureEntry FullscreenPicture;

    // The picture the miniature holds (tile 0): the empty picture until one has been shown.
    const Picture& MiniaturePicture() const { return pPix0_; }
    // The placements of the miniature's last drawing, in pixels of a 96-dpi window.
    const DrawPlan& MiniaturePlan() const { return miniature_; }

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void btnCancel_Click();
    void btnOk_Click();
    void btnFullscreen_Click();

    // The picture list (frm_main_list.cpp).
    void lPix_Click();
    void btnRemove_Click();
    void btnUp_Click();
    void btnDown_Click();
    void btnClear_Click();
    void btnAdd_Click();  // add_pictures.cpp
    // Files and folders dropped on the window from Explorer (add_pictures.cpp): the files, and the
    // pictures directly inside the folders, join the list as "&Add..." adds them.
    void Form_DropFiles(HDROP drop);

    // The preview (preview/frm_main_preview.cpp). PreviewPicture shows slot `Index` of Pictures
    // and returns 0, or the error number of a picture that could not be shown.
    uint32_t PreviewPicture(int16_t Index);
    void DrawMiniature(int16_t Mode);
    void oShow_Click(int16_t Index);
    void cStretch_Click();
    void btnAbout_Click();

private:
    friend LRESULT CALLBACK ::FormWindowProc<ConfigMainForm>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);

    void ReleaseResources();

    // True when lPix has no rows, or the window is gone.
    bool ListIsEmpty() const;
    // The list position of the selected row, -1 when none.
    int SelectedRow() const;
    // Selects `row` (-1: none) as code does; lPix_Click runs unless IgnoreListClick is set.
    void SelectRow(int row);
    void RemovePicture(int16_t p);
    // The selected entry of Pictures, slot 0 when no row is selected.
    PictureEntry& SelectedEntry();
    // The entry numbered `id` when it is still the selected one, else null.
    PictureEntry* SelectedEntryNumbered(uint32_t id);
    // The drawing mode the style controls show: tiled, stretched or centred.
    int16_t ModeOfStyleControls() const;

    // Sets a check box or option button as a user's click would, running `handler` only when the
    // value changes.
    template <class Handler>
    void SetCheck(MainControl control, bool checked, Handler handler);
    // Turns the style option buttons, "&Stretch" and "&Fullscreen" on or off together.
    void EnableStyleControls(bool enable);
    // Shows the three information lines of the picture at `path`; returns 0 or the error that
    // kept them from being read (the lines then stay as they were).
    uint32_t ShowPictureInfo(const std::string& Path);
    void PaintMiniature(const DRAWITEMSTRUCT& item);

    // OpenPictureDialog fills `selection` with the dialog's result: returns 0 when the user picked
    // files, ERROR_CANCELLED when the dialog was cancelled, or the reason it failed.
    uint32_t OpenPictureDialog(std::wstring& selection);
    // Appends the files at `paths` as "&Add..." does: one message per refused file, the accepted
    // ones at the end of the list up to its limit, the selection kept.
    void AddPictureFiles(const std::vector<std::wstring>& paths);

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    FormControls controls_;

    Picture pPix0_;          // the miniature's tile 0: the picture being previewed
    Picture drawn_;          // the picture of the miniature's last drawing, kept until the next one
    DrawPlan miniature_;     // where pBack shows drawn_
    ScaledPictures scaled_;  // the miniature's picture at the sizes it is drawn
    HWND focus_ = nullptr;  // the control that has the focus while the window is inactive
    EntryIds entryIds_;     // tells the entries of Pictures apart while rows move
    bool inListClick_ = false;
    bool listClickPending_ = false;
    bool okPressed_ = false;  // btnOk_Click runs; a session end in one of its pauses saves the list
};

// The program's configuration window.
extern ConfigMainForm frmMain;

}  // namespace config
