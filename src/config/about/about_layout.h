// The About window and its controls as a table in twips. No <windows.h> here; frm_about.cpp builds
// the window from it.
#pragma once

#include <cstdint>

#include "common/form_table.h"

// The controls of the About window, in the order of the layout table. The ball (sLight) and the
// eight credit lines (lCredits) have no windows: the display box fBack draws them.
enum class AboutControl : int {
    btnOk,
    btnBStop,
    btnBHide,
    btnTStop,
    btnTReset,
    fBack,
    sLight,
    lCredits0,
    lCredits1,
    lCredits2,
    lCredits3,
    lCredits4,
    lCredits5,
    lCredits6,
    lCredits7,
    lMervane,
    pToolFlip,
    iQL,
};
inline constexpr int kAboutControlCount = 18;

// The About window's table: its rows (indexed by AboutControl) and client area.
const FormTable& AboutTable();

inline const FormRow& AboutRow(AboutControl id) { return AboutTable().rows[static_cast<size_t>(id)]; }

// Credit line `index` (0..7) of the control array lCredits.
constexpr AboutControl CreditLine(int index) {
    return static_cast<AboutControl>(static_cast<int>(AboutControl::lCredits0) + index);
}

// Each control's window id is 1000 plus its row; none of them is IDOK or IDCANCEL.
inline constexpr int kAboutFirstControlId = 1000;
constexpr int ControlId(AboutControl control) { return kAboutFirstControlId + static_cast<int>(control); }

// The window's caption is kAboutCaption (about_texts.h); its client area and placements in pixels
// at a DPI come from the table through form_table.h.
