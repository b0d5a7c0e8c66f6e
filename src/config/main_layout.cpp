#include "config/main_layout.h"

#include <algorithm>

#include "common/twips.h"

namespace {

using enum MainControl;
using enum ControlKind;
constexpr int kForm = kInsideForm;
constexpr int In(MainControl c) { return static_cast<int>(c); }

// clang-format off
constexpr std::array<ControlRow, kMainControlCount> kLayout{{
//   control          name             kind           inside          left  top   width height caption                         tool tip                                              tab state
    {fList,         "fList",         Frame,         kForm,          60,   0,    3435, 2565, "&Wallpaper Bitmaps",            nullptr,                                               0, kHidden},
    {lPix,          "lPix",          ListBox,       In(fList),      90,   240,  2295, 2205, nullptr,                         "Currently selected pictures. Click to preview it",    1, kNormal},
    {btnAdd,        "btnAdd",        Button,        In(fList),      2460, 240,  885,  405,  "&Add...",                       "Select one or more bitmap pictures to add",           2, kNormal},
    {btnRemove,     "btnRemove",     Button,        In(fList),      2460, 710,  885,  405,  "&Remove",                       "Remove selected picture from list",                   3, kDisabled},
    {btnClear,      "btnClear",      Button,        In(fList),      2460, 1180, 885,  405,  "C&lear",                        "Clear the entire list",                               4, kNormal},
    {btnUp,         "btnUp",         PictureButton, In(fList),      2460, 1650, 405,  405,  nullptr,                         "Move selected picture up in list",                    9, kNormal},
    {btnDown,       "btnDown",       PictureButton, In(fList),      2940, 1650, 405,  405,  nullptr,                         "Move selected picture down in list",                 10, kNormal},
    {btnOK,         "btnOK",         Button,        kForm,          3150, 2640, 2175, 435,  "&OK",                           "Save changes and exit",                               5, kHidden | kLargeFont},
    {btnCancel,     "btnCancel",     Button,        kForm,          5430, 2640, 2175, 435,  "&Cancel",                       "Discard changes and exit",                            6, kHidden | kLargeFont},
    {cAuto,         "cAuto",         CheckBox,      kForm,          90,   2730, 2745, 225,  "Autostart Quilloria Loader",    "Load memory resident program when Windows starts",   18, kChecked},
    {fPic,          "fPic",          Frame,         kForm,          3570, 0,    4035, 2565, "Preview",                       nullptr,                                               7, kHidden},
    {pBack,         "pBack",         PictureBox,    In(fPic),       90,   210,  2445, 1845, nullptr,                         nullptr,                                               8, kNormal},
    {btnFullscreen, "btnFullscreen", Button,        In(fPic),       90,   2100, 2445, 375,  "&Fullscreen",                   "Preview in fullscreen mode",                         11, kDisabled},
    {lInfo,         "lInfo",         ListBox,       In(fPic),       2610, 240,  1335, 645,  nullptr,                         "Picture information",                                12, kButtonFace},
    {fShowBack,     "fShowBack",     Frame,         In(fPic),       2610, 960,  1335, 1185, "Style",                         nullptr,                                              13, kNormal},
    {oShow0,        "oShow(0)",      OptionButton,  In(fShowBack),  60,   210,  855,  225,  "Ce&nter",                       "Picture is centered on screen",                      14, kChecked | kDisabled},
    {cStretch,      "cStretch",      CheckBox,      In(fShowBack),  240,  510,  915,  225,  "&Stretch",                      "Picture is stretched to fit the entire screen",      16, kDisabled},
    {oShow1,        "oShow(1)",      OptionButton,  In(fShowBack),  60,   840,  1005, 225,  "&Tile",                         "Pictures is tiled side by side",                     15, kDisabled},
    {btnAbout,      "btnAbout",      Button,        In(fPic),       3240, 2220, 705,  255,  "Ab&out",                        "Display information about Quilloria",                17, kNormal},
}};
// clang-format on

}  // namespace

const std::array<ControlRow, kMainControlCount>& MainLayout() { return kLayout; }

const ControlRow& LayoutRow(MainControl id) { return kLayout[static_cast<size_t>(id)]; }

PixelBox PlaceInContainer(MainControl id, int dpi) {
    const ControlRow& row = LayoutRow(id);
    return {TwipsToPixels(row.left, dpi), TwipsToPixels(row.top, dpi), TwipsToPixels(row.width, dpi),
            TwipsToPixels(row.height, dpi)};
}

PixelBox PlaceInForm(MainControl id, int dpi) {
    PixelBox box = PlaceInContainer(id, dpi);
    for (int inside = LayoutRow(id).inside; inside != kInsideForm;) {
        const MainControl container = static_cast<MainControl>(inside);
        const PixelBox outer = PlaceInContainer(container, dpi);
        box.left += outer.left;
        box.top += outer.top;
        inside = LayoutRow(container).inside;
    }
    return box;
}

PixelBox MainClientArea(int dpi) {
    return {0, 0, TwipsToPixels(kMainClientWidth, dpi), TwipsToPixels(kMainClientHeight, dpi)};
}

bool HiddenAtStart(MainControl id) {
    for (int current = static_cast<int>(id); current != kInsideForm;) {
        const ControlRow& row = kLayout[static_cast<size_t>(current)];
        if (row.state & kHidden) return true;
        current = row.inside;
    }
    return false;
}

std::array<MainControl, kMainControlCount> MainTabOrder() {
    std::array<MainControl, kMainControlCount> order{};
    for (size_t i = 0; i < order.size(); ++i) order[i] = kLayout[i].id;
    std::stable_sort(order.begin(), order.end(),
                     [](MainControl a, MainControl b) { return LayoutRow(a).tab < LayoutRow(b).tab; });
    return order;
}

int FontPixelHeight(int centipoints, int dpi) {
    const long long scaled = static_cast<long long>(centipoints) * dpi;
    return static_cast<int>((scaled + 3600) / 7200);
}
