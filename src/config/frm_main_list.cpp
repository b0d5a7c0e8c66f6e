// Editing the picture list of the configuration window: selecting a picture previews it (and
// takes out a picture that cannot be shown), removing, moving and clearing.
#include <algorithm>
#include <string>

#include "common/error_text.h"
#include "common/picture_list.h"
#include "common/settings_file.h"
#include "config/frm_main.h"
#include "config/list_texts.h"
#include "config/message_box.h"

namespace config {

namespace {

std::string RowText(HWND list, int row) {
    // The length may be over-reported (on double-byte systems it can count a row as if wide): it
    // only sizes the buffer, and the text is as long as LB_GETTEXT says.
    const LRESULT room = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (room <= 0) return std::string();
    std::string text(static_cast<size_t>(room) + 1, '\0');
    const LRESULT length = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? std::min(static_cast<size_t>(length), static_cast<size_t>(room)) : 0);
    return text;
}

// The system's description of a load error, without the full stop the message puts its "!" after.
std::string LoadErrorDescription(uint32_t error) {
    std::string text = SystemErrorDescription(error);
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
    return text;
}

// Shows the hourglass over the window while it lives.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

int ConfigMainForm::SelectedRow() const {
    const LRESULT row = SendMessageA(Control(MainControl::lPix), LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void ConfigMainForm::SelectRow(int row) {
    SendMessageA(Control(MainControl::lPix), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    lPix_Click();  // a selection set by code runs the handler as a user's does
}

void ConfigMainForm::lPix_Click() {
    if (IgnoreListClick) return;
    // A selection that changes while a selection is being handled (a failing picture is removed
    // and the next one selected) is handled by this loop, one picture after another, rather than
    // by a nested run per picture: a list of thousands of missing files cannot exhaust the stack.
    if (inListClick_) {
        listClickPending_ = true;
        return;
    }
    inListClick_ = true;
    bool failed = false;
    bool shown = false;  // the last picture handled was previewed
    do {
        listClickPending_ = false;
        // A selection taken from the loop may come after a removal emptied the list (a click that
        // arrived while a picture was being drawn): Remove stays off then.
        EnableWindow(Control(MainControl::btnRemove), SendMessageA(Control(MainControl::lPix), LB_GETCOUNT, 0, 0) > 0);
        WaitCursor hourglass;
        // The preview and the message let clicks through, which may move or remove rows: the
        // picture is named and found again by what it is, not by the row it had.
        const int row = SelectedRow();
        const uint32_t id = entryIds_.Of(Pictures, row + 1);
        const std::string name = RowText(Control(MainControl::lPix), row);
        const uint32_t error = PreviewPicture(static_cast<int16_t>(row + 1));
        shown = row >= 0 && error == 0;  // no row: the empty preview
        if (error != 0) {
            failed = true;
            ShowErrorMessage(hwnd_, PictureLoadFailedText(name, LoadErrorDescription(error)));
            if (!hwnd_) break;  // the window was closed meanwhile
            const int slot = row >= 0 ? entryIds_.SlotOf(Pictures, id) : -1;
            if (slot >= 1) RemovePicture(static_cast<int16_t>(slot - 1));  // unless it is gone already
        }
    } while (listClickPending_ && hwnd_);
    // The style controls are off only while no picture is shown: a picture previewed after the
    // failing one was removed has them as any selected picture does.
    if (failed && !shown && hwnd_) EnableStyleControls(false);
    inListClick_ = false;
}

void ConfigMainForm::btnRemove_Click() {
    const int row = SelectedRow();
    if (row >= 0) RemovePicture(static_cast<int16_t>(row));
}

void ConfigMainForm::RemovePicture(int16_t p) {
    const int selected = SelectedRow();
    DeleteEntry(Pictures, p + 1);
    entryIds_.Deleted(p + 1);
    RemoveListRow(p);
    UpdateWindow(Control(MainControl::lPix));
    const int count = static_cast<int>(SendMessageA(Control(MainControl::lPix), LB_GETCOUNT, 0, 0));
    if (selected >= 0 && selected != p) {
        // A picture that failed to load after the user had selected another one: that one stays
        // selected.
        SelectRow(selected > p ? selected - 1 : selected);
    } else {
        SelectRow(RowAfterRemoval(p, count));
    }
    if (count == 0) {
        EnableWindow(Control(MainControl::btnRemove), FALSE);
        PreviewPicture(0);
    }
}

void ConfigMainForm::btnUp_Click() {
    const int p = SelectedRow();
    if (p <= 0) return;
    IgnoreListClick = true;
    SwapWithPrevious(Pictures, p);
    entryIds_.Swapped(p, p + 1);
    HWND list = Control(MainControl::lPix);
    const std::string moved = RowText(list, p);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(p), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(p - 1), reinterpret_cast<LPARAM>(moved.c_str()));
    SetFocus(list);
    SelectRow(p - 1);
    IgnoreListClick = false;
}

void ConfigMainForm::btnDown_Click() {
    const int p = SelectedRow();
    HWND list = Control(MainControl::lPix);
    if (p < 0 || p + 1 >= SendMessageA(list, LB_GETCOUNT, 0, 0)) return;
    IgnoreListClick = true;
    SwapWithNext(Pictures, p);
    entryIds_.Swapped(p + 1, p + 2);
    const std::string moved = RowText(list, p);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(p), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(p + 1), reinterpret_cast<LPARAM>(moved.c_str()));
    SetFocus(list);
    SelectRow(p + 1);
    IgnoreListClick = false;
}

void ConfigMainForm::btnClear_Click() {
    SendMessageA(Control(MainControl::lPix), LB_RESETCONTENT, 0, 0);
    PreviewPicture(0);
    Pictures = EmptyPictureList();
    entryIds_.Cleared();
    EnableWindow(Control(MainControl::btnRemove), FALSE);
}

}  // namespace config
