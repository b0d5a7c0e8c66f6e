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

uint32_t ConfigMainForm::PreviewPicture(int16_t Index) {
    // Every step carries on past a failure; the last error is what the caller learns.
    uint32_t error = 0;
    const bool known = Index >= 0 && Index < static_cast<int>(Pictures.size());
    if (!known) error = ERROR_INVALID_INDEX;
    const PictureEntry entry = known ? Pictures[static_cast<size_t>(Index)] : PictureEntry{};

    if (known) {
        PictureLoadResult loaded = LoadPicture(entry.Path);
        if (loaded.error) {
            error = loaded.error.number;
        } else {
            pPix0_ = std::move(loaded.picture);
        }
    }
    if (known) SetCheck(MainControl::cStretch, entry.Stretch, [this] { cStretch_Click(); });
    if (known && (entry.Tile == 0 || entry.Tile == 1)) {
        const bool tiled = entry.Tile == 1;
        SendMessageA(Control(tiled ? MainControl::oShow0 : MainControl::oShow1), BM_SETCHECK, BST_UNCHECKED, 0);
        SetCheck(tiled ? MainControl::oShow1 : MainControl::oShow0, true, [&] { oShow_Click(entry.Tile); });
    } else if (known) {
        error = ERROR_INVALID_DATA;  // a style that has no option
    }
    if (error) {
        pPix0_ = Picture();
        return error;
    }

    const bool centred = Checked(Control(MainControl::oShow0));
    const bool stretched = Checked(Control(MainControl::cStretch));
    DrawMiniature(centred ? (stretched ? kStretched : kCentred) : kTiled);
    ShowPictureInfo(entry.Path);  // a description that cannot be read leaves the old one
    EnableWindow(Control(MainControl::oShow0), TRUE);
    EnableWindow(Control(MainControl::oShow1), TRUE);
    if (centred) EnableWindow(Control(MainControl::cStretch), TRUE);
    EnableWindow(Control(MainControl::btnFullscreen), TRUE);
    return 0;
}

void ConfigMainForm::DrawMiniature(int16_t Mode) {
    HWND box = Control(MainControl::pBack);
    // The emptied box is shown before the new drawing.
    miniature_ = DrawPlan{};
    drawn_ = Picture();
    InvalidateRect(box, nullptr, FALSE);
    UpdateWindow(box);
    DoEvents();

    drawn_ = pPix0_;
    miniature_ = PlanMiniature(Mode, drawn_.Width(), drawn_.Height());
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
