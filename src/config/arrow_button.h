// The configuration window's move buttons: ordinary push buttons whose face the system draws,
// themed or classic, with an arrow drawn on it in place of a caption.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "config/arrow_shape.h"

// Answers a move button's NM_CUSTOMDRAW notification: once the button has drawn its face, the
// arrow goes on it in the button-text colour (grey while the button is disabled), with the focus
// rectangle while it has the focus. Returns what the notification's stage expects.
LRESULT DrawArrowButton(const NMCUSTOMDRAW& draw, ArrowDirection direction);
