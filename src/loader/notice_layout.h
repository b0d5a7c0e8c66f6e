// The loader's notice window, shown while a picture is converted into the temporary bitmap, as a
// table of its controls in twips. No <windows.h> here; frm_main.cpp builds the window from it.
#pragma once

#include "common/form_table.h"

enum class NoticeControl : int { lFile, Label1, Label2, pTmp };
inline constexpr int kNoticeControlCount = 4;

// The notice window's table: its rows (indexed by NoticeControl) and client area. Control ids
// are 1000 plus the row.
const FormTable& NoticeForm();
