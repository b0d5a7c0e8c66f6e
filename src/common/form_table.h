// Every window of both programs is described by a table of its controls in twips, one row per
// control, and built from it by one Win32 function (form_builder.h). This file holds the table's
// row type and the arithmetic that turns a table into pixels at a DPI. No <windows.h> here.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

enum class ControlKind {
    Frame,          // a group box with a caption
    ListBox,
    Button,
    PictureButton,  // a push button with a picture its form draws (NM_CUSTOMDRAW) instead of a caption
    CheckBox,
    OptionButton,   // the option buttons that follow one another form one group
    PictureBox,     // drawn by its form (WM_DRAWITEM)
    Label,
    Drawn,          // no window of its own: its container's painting draws it (a shape, a moving line)
};

// The state a control is created in, and a few looks that differ between controls of one kind.
enum ControlState : uint32_t {
    kNormal = 0,
    kHidden = 1,       // not visible at creation
    kDisabled = 2,
    kChecked = 4,      // check box checked, option button selected
    kButtonFace = 8,   // list box background in the button-face colour
    kSunken = 16,      // a sunken border
    kCentredText = 32, // label text centred
    kNoPrefix = 64,    // label text shown as it is: "&" marks no access key
    kClickable = 128,  // label or picture box that tells its form of clicks and takes mouse presses
    kDefault = 256,    // the default push button, drawn with the heavier border
    kKeysToForm = 512, // list box that tells its form of each key pressed on it (WM_VKEYTOITEM)
};

// A font by face and size. A row whose font has no face uses the form's default font: the
// system's dialog font at 8.25 points.
struct FontSpec {
    const char* face = nullptr;
    int centipoints = 0;  // hundredths of a point
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// The font of the configuration window's OK and Cancel buttons and of the About window's close
// button: 9.75 points.
inline constexpr FontSpec kLargeButtonFont{"MS Sans Serif", 975};

// Stands for the window itself as the container of a control.
inline constexpr int kInsideForm = -1;

struct FormRow {
    int id;                        // the control's value in its form's enum: its row in the table
    const char* name;
    ControlKind kind;
    int inside;                    // the containing control's row, or kInsideForm
    int left, top, width, height;  // twips, relative to the container's client area
    const char* caption;           // nullptr: none
    const char* toolTip;           // nullptr: none
    int tab;                       // keyboard tab order, 0 first
    uint32_t state;                // ControlState flags
    FontSpec font;
};

// A form: its rows and the size of its client area in twips. A control's window id is
// firstControlId plus its row.
struct FormTable {
    std::span<const FormRow> rows;
    int clientWidth = 0;
    int clientHeight = 0;
    int firstControlId = 1000;
};

// A placement in pixels.
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelBox&) const = default;
};

// Returns the box of the control in `row` in pixels at `dpi`, relative to its container.
PixelBox PlaceInContainer(const FormTable& form, int row, int dpi);

// Returns the box in pixels at `dpi`, relative to the form's client area. Each level is
// converted on its own, so the offset from the container is exactly PlaceInContainer's.
PixelBox PlaceInForm(const FormTable& form, int row, int dpi);

// The widest the control in `row` may be at `dpi`, in pixels, growing to the right from where it
// is: up to the right edge of its container and short of every control of that container beside
// it (one that begins right of the control and shares some of its rows). Never less than its width.
int RoomToTheRight(const FormTable& form, int row, int dpi);

// The client area in pixels at `dpi`.
PixelBox ClientArea(const FormTable& form, int dpi);

// True when the control is hidden at creation, by its own state or because a container is.
bool HiddenAtStart(const FormTable& form, int row);

// The rows in keyboard tab order.
std::vector<int> TabOrder(const FormTable& form);

// Point size of a form's default font, in hundredths of a point (11 pixels at 96 dpi).
inline constexpr int kDefaultFontCentipoints = 825;

// The height of a font of `centipoints` at `dpi`, in pixels (as a negative LOGFONT height would
// give it: the character height without internal leading).
int FontPixelHeight(int centipoints, int dpi);
