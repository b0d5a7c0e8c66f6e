// "&Add...": picking pictures in the system's open-file dialog and appending them to the list.
#include <windows.h>
#include <commdlg.h>
#include <cderr.h>

#include <vector>

#include "common/settings_file.h"
#include "config/frm_main.h"
#include "config/list_texts.h"
#include "config/message_box.h"
#include "config/picture_dialog_result.h"

namespace config {

namespace {

// Room for the names of thousands of files in one folder (the dialog's old limit of 1025
// characters held a few dozen).
constexpr DWORD kSelectionChars = 512 * 1024;
constexpr DWORD kFileTitleChars = 512;

// Description and pattern pairs, each ended by a NUL, the whole by one more.
constexpr char kFilter[] =
    "Pictures\0*.bmp;*.gif;*.jpg\0"
    "Bitmaps (*.bmp)\0*.bmp\0"
    "GIF (*.gif)\0*.gif\0"
    "JPEG (*.jpg)\0*.jpg\0";

// Long names in the Explorer-style dialog, only files that exist, several at once, and no
// "Open as read-only" box.
constexpr DWORD kDialogFlags =
    OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
// The reading of the dialog's result (one path, or a folder followed by names) holds for exactly
// these flags.
static_assert(kDialogFlags == 0x00281204);

}  // namespace

uint32_t ConfigMainForm::OpenPictureDialog(std::string& selection, int& fileOffset, std::string& fileTitle) {
    std::vector<char> file(kSelectionChars, '\0');  // starts with an empty file name
    std::vector<char> title(kFileTitleChars, '\0');
    OPENFILENAMEA PictureDialogRecord{};
    PictureDialogRecord.lStructSize = sizeof(PictureDialogRecord);
    PictureDialogRecord.hwndOwner = hwnd_;
    PictureDialogRecord.lpstrFilter = kFilter;
    PictureDialogRecord.nFilterIndex = 1;
    PictureDialogRecord.lpstrFile = file.data();
    PictureDialogRecord.nMaxFile = kSelectionChars;  // characters, not bytes
    PictureDialogRecord.lpstrFileTitle = title.data();
    PictureDialogRecord.nMaxFileTitle = kFileTitleChars;
    PictureDialogRecord.lpstrInitialDir = "";  // the current folder
    PictureDialogRecord.lpstrTitle = "Select Picture Files";
    PictureDialogRecord.Flags = kDialogFlags;
    // A name typed without an ending gets ".bmp" (the ending alone: with "*." in front the dialog
    // would look for "name.*.bmp").
    PictureDialogRecord.lpstrDefExt = "bmp";

    if (!GetOpenFileNameA(&PictureDialogRecord)) {
        const DWORD failure = CommDlgExtendedError();
        return failure ? failure : ERROR_CANCELLED;
    }
    selection.assign(file.data(), file.size());
    fileOffset = PictureDialogRecord.nFileOffset;
    fileTitle.assign(title.data());
    return 0;
}

void ConfigMainForm::btnAdd_Click() {
    std::string selection, fileTitle;
    int fileOffset = 0;
    const uint32_t result = OpenPictureDialog(selection, fileOffset, fileTitle);
    if (result == FNERR_BUFFERTOOSMALL) ShowErrorMessage(hwnd_, SelectionTooLargeText());
    if (result != 0 || !hwnd_) return;  // cancelled or failed: the list stays as it was

    const std::vector<PickedFile> files = ParsePictureDialogResult(selection, fileOffset, fileTitle);
    for (const std::string& name : RejectedPictureNames(files)) ShowErrorMessage(hwnd_, InvalidPictureText(name));
    if (Pictures.empty()) Pictures = EmptyPictureList();
    const int notAdded = AppendPickedPictures(Pictures, files);
    if (notAdded > 0) ShowErrorMessage(hwnd_, ListFullText(notAdded));
    if (!hwnd_) return;

    // The new pictures join the end of the list; the selected picture stays selected and its
    // preview is not loaded again.
    const int selected = SelectedRow();
    FillPictureList();
    IgnoreListClick = true;
    if (selected != -1) SelectRow(selected);
    IgnoreListClick = false;
}

}  // namespace config
