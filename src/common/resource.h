// Ids of the resources in the programs' resource scripts (res/*.rc), which include this file too,
// so keep it to plain #defines.
#pragma once

// The program icon, in both programs.
#define QL_PROGRAM_ICON 1
