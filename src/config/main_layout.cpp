#include "config/main_layout.h"

namespace {

using enum MainControl;
using enum ControlKind;
constexpr int kForm = kInsideForm;
constexpr int In(MainControl c) { return static_cast<int>(c); }

// clang-format off
constexpr FormRow kLayout[] = {
//   control          name             kind           inside          left  top   width height caption                         tool tip                                              tab state
    {In(fList),         "fList",         Frame,         kForm,          60,   0,    3435, 2565, "&Wallpaper Bitmaps",            nullptr,                                               0, kHidden, {}},
    {In(lPix),          "lPix",          ListBox,       In(fList),      90,   240,  2295, 2205, nullptr,                         "Currently selected pictures. Click to preview it",    1, kSunken | kKeysToForm, {}},
    {In(btnAdd),        "btnAdd",        Button,        In(fList),      2460, 240,  885,  405,  "&Add...",                       "Select one or more bitmap pictures to add",           2, kNormal, {}},
    {In(btnRemove),     "btnRemove",     Button,        In(fList),      2460, 710,  885,  405,  "&Remove",                       "Remove selected picture from list",                   3, kDisabled, {}},
    {In(btnClear),      "btnClear",      Button,        In(fList),      2460, 1180, 885,  405,  "C&lear",                        "Clear the entire list",                               4, kNormal, {}},
    {In(btnUp),         "btnUp",         PictureButton, In(fList),      2460, 1650, 405,  405,  nullptr,                         "Move selected picture up in list",                    9, kNormal, {}},
    {In(btnDown),       "btnDown",       PictureButton, In(fList),      2940, 1650, 405,  405,  nullptr,                         "Move selected picture down in list",                 10, kNormal, {}},
    {In(btnOK),         "btnOK",         Button,        kForm,          3150, 2640, 2175, 435,  "&OK",                           "Save changes and exit",                               5, kHidden, kLargeButtonFont},
    {In(btnCancel),     "btnCancel",     Button,        kForm,          5430, 2640, 2175, 435,  "&Cancel",                       "Discard changes and exit",                            6, kHidden, kLargeButtonFont},
    {In(cAuto),         "cAuto",         CheckBox,      kForm,          90,   2730, 2745, 225,  "Autostart Quilloria Loader",    "Load memory resident program when Windows starts",   18, kChecked, {}},
    {In(fPic),          "fPic",          Frame,         kForm,          3570, 0,    4035, 2565, "Preview",                       nullptr,                                               7, kHidden, {}},
    {In(pBack),         "pBack",         PictureBox,    In(fPic),       90,   210,  2445, 1845, nullptr,                         "The currently selected picture",                      8, kSunken | kClickable, {}},
    {In(btnFullscreen), "btnFullscreen", Button,        In(fPic),       90,   2100, 2445, 375,  "&Fullscreen",                   "Preview in fullscreen mode",                         11, kDisabled, {}},
    {In(lInfo),         "lInfo",         ListBox,       In(fPic),       2610, 240,  1335, 645,  nullptr,                         "Picture information",                                12, kButtonFace | kSunken, {}},
    {In(fShowBack),     "fShowBack",     Frame,         In(fPic),       2610, 960,  1335, 1185, "Style",                         nullptr,                                              13, kNormal, {}},
    {In(oShow0),        "oShow(0)",      OptionButton,  In(fShowBack),  60,   210,  855,  225,  "Ce&nter",                       "Picture is centered on screen",                      14, kChecked | kDisabled, {}},
    {In(cStretch),      "cStretch",      CheckBox,      In(fShowBack),  240,  510,  915,  225,  "&Stretch",                      "Picture is stretched to fit the entire screen",      16, kDisabled, {}},
    {In(oShow1),        "oShow(1)",      OptionButton,  In(fShowBack),  60,   840,  1005, 225,  "&Tile",                         "Pictures is tiled side by side",                     15, kDisabled, {}},
    {In(btnAbout),      "btnAbout",      Button,        In(fPic),       3240, 2220, 705,  255,  "Ab&out",                        "Display information about Quilloria",                17, kNormal, {}},
};
// clang-format on

constexpr FormTable kMainForm{kLayout, 7650, 3150, kFirstControlId};
static_assert(std::size(kLayout) == kMainControlCount);

}  // namespace

const FormTable& MainForm() { return kMainForm; }
