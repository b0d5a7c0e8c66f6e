// The preview frame of the configuration window: the miniature of the selected picture in its
// style, the style controls, and the picture information beside it.
#include <cstdlib>
#include <vector>

#include "common/error_text.h"
#include "common/file_system.h"
#include "common/message_pump.h"
#include "common/scoped_win.h"
#include "common/settings_file.h"
#include "config/frm_main.h"
#include "config/preview/picture_info.h"

namespace config {

namespace {

// The user's thousands separator, as number formatting uses it.
std::string ThousandsSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof(separator)) <= 0) return ",";
    return separator;
}

bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

PictureEntry& ConfigMainForm::SelectedEntry() {
    if (Pictures.empty()) Pictures = EmptyPictureList();
    const int slot = SelectedRow() + 1;
    return slot >= 0 && slot < static_cast<int>(Pictures.size()) ? Pictures[static_cast<size_t>(slot)] : Pictures[0];
}

template <class Handler>
void ConfigMainForm::SetCheck(MainControl control, bool checked, Handler handler) {
    HWND button = Control(control);
    if (Checked(button) == checked) return;
    SendMessageA(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    handler();
}

void ConfigMainForm::EnableStyleControls(bool enable) {
    for (MainControl control : {MainControl::oShow0, MainControl::oShow1, MainControl::cStretch,
                                MainControl::btnFullscreen}) {
        EnableWindow(Control(control), enable);
    }
}

PictureEntry* ConfigMainForm::SelectedEntryNumbered(uint32_t id) {
    const int slot = entryIds_.SlotOf(Pictures, id);
    return slot >= 0 && slot == SelectedRow() + 1 ? &Pictures[static_cast<size_t>(slot)] : nullptr;
}

int16_t ConfigMainForm::ModeOfStyleControls() const {
    if (!Checked(Control(MainControl::oShow0))) return kTiled;
    return Checked(Control(MainControl::cStretch)) ? kStretched : kCentred;
}

uint32_t ConfigMainForm::PreviewPicture(int16_t Index) {
    if (Index < 0 || Index >= static_cast<int>(Pictures.size())) {
        pPix0_ = Picture();
        return ERROR_INVALID_INDEX;
    }
    const uint32_t id = entryIds_.Of(Pictures, Index);
    const std::string path = Pictures[static_cast<size_t>(Index)].Path;

    // Every step carries on past a failure; the last error is what the caller learns.
    uint32_t error = 0;
    PictureLoadResult loaded = LoadPicture(path);
    if (loaded.error) {
        error = loaded.error.number;
    } else {
        pPix0_ = std::move(loaded.picture);
    }
    // Setting the style controls runs their handlers, which store the value back into the
    // selected entry and let messages through while they draw. A click handled then may change
    // the entry's style, move it, remove it, or select another picture, whose own preview comes
    // next: so the entry is looked up afresh after each step, and the preview stops once it is no
    // longer the selected one.
    if (const PictureEntry* entry = SelectedEntryNumbered(id)) {
        SetCheck(MainControl::cStretch, entry->Stretch, [this] { cStretch_Click(); });
    }
    if (const PictureEntry* entry = SelectedEntryNumbered(id)) {
        const int16_t tile = entry->Tile;
        if (tile == 0 || tile == 1) {
            SendMessageA(Control(tile == 1 ? MainControl::oShow0 : MainControl::oShow1), BM_SETCHECK, BST_UNCHECKED, 0);
            SetCheck(tile == 1 ? MainControl::oShow1 : MainControl::oShow0, true, [this, tile] { oShow_Click(tile); });
        } else {
            error = ERROR_INVALID_DATA;  // a style that has no option
        }
    }
    if (error) {
        pPix0_ = Picture();
        return error;
    }

    if (SelectedEntryNumbered(id)) DrawMiniature(ModeOfStyleControls());
    if (!SelectedEntryNumbered(id)) return 0;
    ShowPictureInfo(path);  // a description that cannot be read leaves the old one
    EnableWindow(Control(MainControl::oShow0), TRUE);
    EnableWindow(Control(MainControl::oShow1), TRUE);
    // Read after the drawing: a click on "Tile" during it has turned Stretch off.
    if (Checked(Control(MainControl::oShow0))) EnableWindow(Control(MainControl::cStretch), TRUE);
    EnableWindow(Control(MainControl::btnFullscreen), TRUE);
    return 0;
}

void ConfigMainForm::DrawMiniature(int16_t Mode) {
    HWND box = Control(MainControl::pBack);
    const int16_t styleBefore = ModeOfStyleControls();
    // The emptied box is shown before the new drawing.
    miniature_ = DrawPlan{};
    drawn_ = Picture();
    InvalidateRect(box, nullptr, FALSE);
    UpdateWindow(box);
    DoEvents();

    // A click handled just now may have chosen another style or another picture, which set the
    // style controls: then the drawing follows them, and tile 0's picture as it is now.
    const int16_t styleNow = ModeOfStyleControls();
    drawn_ = pPix0_;
    miniature_ = PlanMiniature(styleNow != styleBefore ? styleNow : Mode, drawn_.Width(), drawn_.Height());
    InvalidateRect(box, nullptr, FALSE);
}

void ConfigMainForm::oShow_Click(int16_t Index) {
    HWND stretch = Control(MainControl::cStretch);
    if (Index == 0) {
        EnableWindow(stretch, TRUE);
        SelectedEntry().Tile = 0;
        DrawMiniature(Checked(stretch) ? kStretched : kCentred);
    } else {
        EnableWindow(stretch, FALSE);  // its tick stays for when "Center" comes back
        SelectedEntry().Tile = 1;
        DrawMiniature(kTiled);
    }
}

void ConfigMainForm::cStretch_Click() {
    const bool stretched = Checked(Control(MainControl::cStretch));
    SelectedEntry().Stretch = stretched;
    DrawMiniature(stretched ? kStretched : kCentred);
}

uint32_t ConfigMainForm::ShowPictureInfo(const std::string& Path) {
    const PictureNameKind kind = PictureKindOfName(Path);
    if (kind == PictureNameKind::None) return 0;  // the lines stay as they are

    // A bitmap is described by its header, read before anything changes, so a file that cannot be
    // read leaves the previous description; a GIF or JPEG by the loaded picture and its length.
    const bool bitmap = kind == PictureNameKind::Bitmap;
    std::vector<uint8_t> header;
    unsigned long long length = 0;
    if (const DWORD error = ReadFileHead(Path, bitmap ? kBitmapInfoBytes : 0, header, length)) return error;
    std::vector<std::string> lines;
    if (bitmap) {
        const auto fields = ReadBitmapInfoFields(header.data(), header.size());
        if (!fields) return ERROR_HANDLE_EOF;
        lines = BitmapInfoLines(*fields, ThousandsSeparator());
    } else {
        lines = DecodedInfoLines(kind, pPix0_.Width(), pPix0_.Height(), static_cast<int64_t>(length), ThousandsSeparator());
    }
    HWND info = Control(MainControl::lInfo);
    SendMessageA(info, WM_SETREDRAW, FALSE, 0);
    SendMessageA(info, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines) SendMessageA(info, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(info, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(info, nullptr, TRUE);
    return 0;
}

void ConfigMainForm::PaintMiniature(const DRAWITEMSTRUCT& item) {
    const RECT& client = item.rcItem;
    DoubleBuffer buffer(item.hDC, client.left, client.top, client.right - client.left, client.bottom - client.top);
    HDC dc = buffer.dc();
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (drawn_.IsEmpty()) return;

    // The plan is in pixels of a 96-dpi window; the miniature keeps its shape at every DPI and is
    // drawn from the full-resolution picture.
    const double scale = Dpi() / 96.0;
    for (const PlacedPicture& element : miniature_.elements) {
        scaled_.Draw(dc, drawn_, ToDevicePixels(element, scale));
    }
    const PaintedCopies& copies = miniature_.copies;
    if (copies.Count() > 0) {
        const PixelRect one = ToDevicePixels(copies.At(0, 0), scale);
        const PixelRect last = ToDevicePixels(copies.At(copies.across - 1, copies.down - 1), scale);
        RECT area{0, 0, std::min<LONG>(client.right, last.left + last.width),
                  std::min<LONG>(client.bottom, last.top + last.height)};
        scaled_.Tile(dc, drawn_, one.width, one.height, 0, 0, area);
    }
}

}  // namespace config
