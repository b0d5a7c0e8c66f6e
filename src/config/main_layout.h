// The configuration window and its controls as a table in twips, and the arithmetic that turns
// the table into pixels. No <windows.h> here; frm_main.cpp applies the results to real windows.
#pragma once

#include <array>
#include <cstdint>

// The controls of the configuration window, in the order of the layout table.
enum class MainControl : int {
    fList,
    lPix,
    btnAdd,
    btnRemove,
    btnClear,
    btnUp,
    btnDown,
    btnOK,
    btnCancel,
    cAuto,
    fPic,
    pBack,
    btnFullscreen,
    lInfo,
    fShowBack,
    oShow0,
    cStretch,
    oShow1,
    btnAbout,
};
inline constexpr int kMainControlCount = 19;
// Stands for the window itself as the container of a control.
inline constexpr int kInsideForm = -1;

enum class ControlKind { Frame, ListBox, Button, PictureButton, CheckBox, OptionButton, PictureBox };

// The state a control is created in.
enum ControlState : uint32_t {
    kNormal = 0,
    kHidden = 1,      // shown at the window's first activation
    kDisabled = 2,
    kChecked = 4,     // check box checked, option button selected
    kLargeFont = 8,   // "MS Sans Serif" 9.75 points instead of the window's font
    kButtonFace = 16, // list box background in the button-face colour
};

struct ControlRow {
    MainControl id;
    const char* name;
    ControlKind kind;
    int inside;  // the containing control, or kInsideForm
    int left, top, width, height;  // twips, relative to the container's client area
    const char* caption;           // nullptr: none
    const char* toolTip;           // nullptr: none
    int tab;                       // keyboard tab order
    uint32_t state;                // ControlState flags
};

// The client area of the window in twips.
inline constexpr int kMainClientWidth = 7650;
inline constexpr int kMainClientHeight = 3150;

// The layout table, one row per control, indexed by MainControl.
const std::array<ControlRow, kMainControlCount>& MainLayout();

const ControlRow& LayoutRow(MainControl id);

// A placement in pixels.
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelBox&) const = default;
};

// Returns the control's box in pixels at `dpi`, relative to its container.
PixelBox PlaceInContainer(MainControl id, int dpi);

// Returns the control's box in pixels at `dpi`, relative to the window's client area. Each level
// is converted on its own, so the offset from the container is exactly PlaceInContainer's.
PixelBox PlaceInForm(MainControl id, int dpi);

// The client area in pixels at `dpi`.
PixelBox MainClientArea(int dpi);

// True when the control is hidden at creation, by its own state or because a container is.
bool HiddenAtStart(MainControl id);

// The controls in keyboard tab order.
std::array<MainControl, kMainControlCount> MainTabOrder();

// Point size of the window's default font, in hundredths of a point (11 pixels at 96 dpi).
inline constexpr int kDefaultFontCentipoints = 825;

// Point size of the large font of btnOK and btnCancel, in hundredths of a point.
inline constexpr int kLargeFontCentipoints = 975;
inline constexpr char kLargeFontFace[] = "MS Sans Serif";

// The height of a font of `centipoints` at `dpi`, in pixels (as a negative LOGFONT height would
// give it: the character height without internal leading).
int FontPixelHeight(int centipoints, int dpi);
