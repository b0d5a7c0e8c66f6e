// "&Add..." and files dropped on the window: picking pictures and appending them to the list.
#include <windows.h>
#include <commdlg.h>
#include <cderr.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "common/ansi_text.h"
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

// Description and pattern pairs, each ended by a NUL, the whole by one more.
constexpr wchar_t kFilter[] =
    L"Pictures\0*.bmp;*.gif;*.jpg\0"
    L"Bitmaps (*.bmp)\0*.bmp\0"
    L"GIF (*.gif)\0*.gif\0"
    L"JPEG (*.jpg)\0*.jpg\0";

// Long names in the Explorer-style dialog, only files that exist, several at once, and no
// "Open as read-only" box.
constexpr DWORD kDialogFlags =
    OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
// The reading of the dialog's result (one path, or a folder followed by names) holds for exactly
// these flags.
static_assert(kDialogFlags == 0x00281204);

// The pictures directly inside `folder`, ordered by name as Explorer shows them ("2" before
// "10"). Sub-folders and hidden or system files are left out, as files that are no pictures are.
std::vector<std::wstring> PicturesInFolder(const std::wstring& folder) {
    std::wstring prefix = folder;
    if (prefix.empty() || prefix.back() != L'\\') prefix += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if ((found.dwFileAttributes & skipped) == 0 && IsAcceptedPictureName(std::wstring_view(found.cFileName))) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; });
    for (std::wstring& name : names) name.insert(0, prefix);
    return names;
}

}  // namespace

uint32_t ConfigMainForm::OpenPictureDialog(std::wstring& selection) {
    std::vector<wchar_t> file(kSelectionChars, L'\0');  // starts with an empty file name
    OPENFILENAMEW PictureDialogRecord{};
    PictureDialogRecord.lStructSize = sizeof(PictureDialogRecord);
    PictureDialogRecord.hwndOwner = hwnd_;
    PictureDialogRecord.lpstrFilter = kFilter;
    PictureDialogRecord.nFilterIndex = 1;
    PictureDialogRecord.lpstrFile = file.data();
    PictureDialogRecord.nMaxFile = kSelectionChars;  // characters, not bytes
    PictureDialogRecord.lpstrInitialDir = L"";       // the current folder
    PictureDialogRecord.lpstrTitle = L"Select Picture Files";
    PictureDialogRecord.Flags = kDialogFlags;
    // A name typed without an ending gets ".bmp" (the ending alone: with "*." in front the dialog
    // would look for "name.*.bmp").
    PictureDialogRecord.lpstrDefExt = L"bmp";

    // The names come as Windows has them; each is put into the ANSI code page on its own, so that
    // none is stored as a look-alike or with a "?".
    if (!GetOpenFileNameW(&PictureDialogRecord)) {
        const DWORD failure = CommDlgExtendedError();
        return failure ? failure : ERROR_CANCELLED;
    }
    selection.assign(file.data(), file.size());
    return 0;
}

void ConfigMainForm::btnAdd_Click() {
    std::wstring selection;
    const uint32_t result = OpenPictureDialog(selection);
    if (result == FNERR_BUFFERTOOSMALL) ShowErrorMessage(hwnd_, SelectionTooLargeText());
    if (result != 0 || !hwnd_) return;  // cancelled or failed: the list stays as it was
    AddPictureFiles(ParsePictureDialogResult(selection));
}

void ConfigMainForm::Form_DropFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        if (path.empty()) continue;
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            for (std::wstring& picture : PicturesInFolder(path)) paths.push_back(std::move(picture));
        } else {
            paths.push_back(std::move(path));
        }
    }
    DragFinish(drop);  // Explorer is not kept waiting while messages are shown
    AddPictureFiles(paths);
}

void ConfigMainForm::AddPictureFiles(const std::vector<std::wstring>& paths) {
    const std::vector<PickedFile> files = JudgePickedFiles(paths, AnsiPath, AnsiLeadBytes());
    for (const std::wstring& message : RefusalMessages(files)) {
        ShowErrorMessage(hwnd_, message);
        if (!hwnd_) return;  // the window was closed meanwhile
    }
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
