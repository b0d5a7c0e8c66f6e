// Ids of the resources in the programs' resource scripts (res/*.rc), which include this file too,
// so keep it to plain #defines.
#pragma once

// The program icon, in both programs.
#define QL_PROGRAM_ICON 1

// The 16 x 16 arrow pictures of the configuration window's move buttons.
#define QL_ARROW_UP_BITMAP 101
#define QL_ARROW_DOWN_BITMAP 102
