#include "config/about/about_layout.h"

#include <iterator>

#include "config/about/about_rules.h"
#include "config/about/about_texts.h"

namespace {

using enum AboutControl;
using enum ControlKind;
constexpr int kForm = kInsideForm;
constexpr int In(AboutControl c) { return static_cast<int>(c); }
// The image and the shape take no keyboard focus and have no place in the tab order.
constexpr int kNoTab = 99;

constexpr FontSpec kNameFont{"Times New Roman", 975, true};    // 9.75 pt, underlined
constexpr FontSpec kVersionFont{"MS Serif", 675};              // 6.75 pt
constexpr FontSpec kMakerFont{"MS Serif", 825};                // 8.25 pt
constexpr uint32_t kLine = kCentredText | kNoPrefix;

// clang-format off
constexpr FormRow kLayout[] = {
//   control          name           kind        inside      left  top   width height caption              tool tip          tab     state                           font
    {In(btnOk),       "btnOk",       Button,     kForm,      1170, 2190, 3105, 495,  kAboutCloseCaption, nullptr,          0,      kDefault,                       kLargeButtonFont},
    {In(btnBStop),    "btnBStop",    Button,     kForm,      90,   1290, 975,  255,  kBallStopCaption,   nullptr,          1,      kNormal,                        {}},
    {In(btnBHide),    "btnBHide",    Button,     kForm,      90,   1530, 975,  255,  kBallHideCaption,   nullptr,          2,      kDisabled,                      {}},
    {In(btnTStop),    "btnTStop",    Button,     kForm,      90,   1770, 975,  255,  kTextStopCaption,   nullptr,          3,      kNormal,                        {}},
    {In(btnTReset),   "btnTReset",   Button,     kForm,      90,   2010, 975,  255,  kTextResetCaption,  nullptr,          4,      kNormal,                        {}},
    // The display box: it draws the ball and the credit lines, and tells which line was clicked.
    {In(fBack),       "fBack",       PictureBox, kForm,      1170, 90,   3105, 1995, nullptr,            nullptr,          5,      kSunken | kClickable,           {}},
    {In(sLight),      "sLight",      Drawn,      In(fBack),  0,    0,    600,  600,  nullptr,            nullptr,          kNoTab, kNormal,                        {}},
    // The credit lines' texts are CreditLineText's; line 1 gets the version at load.
    {In(lCredits0),   "lCredits(0)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          13,     kLine,                          kNameFont},
    {In(lCredits1),   "lCredits(1)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          12,     kLine,                          kVersionFont},
    {In(lCredits2),   "lCredits(2)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          11,     kLine,                          {}},
    {In(lCredits3),   "lCredits(3)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          10,     kLine,                          {}},
    {In(lCredits4),   "lCredits(4)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          9,      kLine,                          {}},
    {In(lCredits5),   "lCredits(5)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          8,      kLine,                          {}},
    {In(lCredits6),   "lCredits(6)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          7,      kLine,                          {}},
    {In(lCredits7),   "lCredits(7)", Drawn,      In(fBack),  90,   2000, 2865, 225,  nullptr,            nullptr,          6,      kLine,                          {}},
    {In(lMervane),    "lMervane",    Label,      kForm,      270,  2400, 555,  225,  kMakerCaption,      kMakerToolTip,    14,     kNoPrefix | kClickable,         kMakerFont},
    {In(pToolFlip),   "pToolFlip",   PictureBox, kForm,      0,    2610, 135,  165,  nullptr,            kToolFlipToolTip, 15,     kHidden | kSunken | kClickable, {}},
    // The program icon, stretched to the control; it takes presses of every button.
    {In(iQL),         "iQL",         PictureBox, kForm,      90,   120,  960,  960,  nullptr,            nullptr,          kNoTab, kClickable,                     {}},
};
// clang-format on

constexpr FormTable kAboutForm{kLayout, 4365, 2760, kAboutFirstControlId};
static_assert(std::size(kLayout) == kAboutControlCount);

// The ball and credit rules work with the same box, ball and line sizes as the table.
static_assert(kLayout[In(fBack)].width == kBoxWidth && kLayout[In(fBack)].height == kBoxHeight);
static_assert(kLayout[In(sLight)].width == kBallWidth && kLayout[In(sLight)].height == kBallHeight);
static_assert(kLayout[In(lCredits0)].height == kCreditPitch && kLayout[In(lCredits7)].top == kCreditLayoutTop);
static_assert(In(lCredits7) - In(lCredits0) + 1 == kCreditLines);

}  // namespace

const FormTable& AboutTable() { return kAboutForm; }
