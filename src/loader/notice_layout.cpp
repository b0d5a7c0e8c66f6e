#include "loader/notice_layout.h"

#include <iterator>

namespace {

using enum ControlKind;
constexpr int In(NoticeControl c) { return static_cast<int>(c); }
constexpr FontSpec kFileFont{"Times New Roman", 975};   // 9.75 pt
constexpr FontSpec kTextFont{"Times New Roman", 1200};  // 12 pt

// clang-format off
constexpr FormRow kLayout[] = {
//   control                    name      kind        inside       left  top   width height caption                        tool tip  tab state
    {In(NoticeControl::lFile),  "lFile",  Label,      kInsideForm, 45,   150,  2955, 255,  "<Testfile.jpg>",              nullptr,  0,  kNoPrefix, kFileFont},
    {In(NoticeControl::Label1), "Label1", Label,      kInsideForm, 45,   495,  2955, 315,  "Creating temporary bitmap.",  nullptr,  1,  kNoPrefix, kTextFont},
    {In(NoticeControl::Label2), "Label2", Label,      kInsideForm, 45,   810,  2955, 315,  "Please wait...",              nullptr,  2,  kNoPrefix, kTextFont},
    // Holds the decoded picture between loading and saving; below the client area, never seen.
    {In(NoticeControl::pTmp),   "pTmp",   PictureBox, kInsideForm, 2160, 1770, 270,  255,  nullptr,                       nullptr,  3,  kNormal, {}},
};
// clang-format on

constexpr FormTable kNoticeForm{kLayout, 3045, 1350, 1000};
static_assert(std::size(kLayout) == kNoticeControlCount);

}  // namespace

const FormTable& NoticeForm() { return kNoticeForm; }
