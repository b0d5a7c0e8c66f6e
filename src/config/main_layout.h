// The configuration window and its controls as a table in twips. No <windows.h> here;
// frm_main.cpp builds the window from it.
#pragma once

#include <array>

#include "common/form_table.h"

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

// The configuration window's table: its rows (indexed by MainControl) and client area.
const FormTable& MainForm();

// Each control's window id is 1000 plus its row, so that tests find a control by its id. None of
// them is IDOK or IDCANCEL, which Enter and Esc send.
inline constexpr int kFirstControlId = 1000;
constexpr int ControlId(MainControl control) { return kFirstControlId + static_cast<int>(control); }
