// What both programs do first: load system DLLs only from the system folder.
#pragma once

// Restricts DLL loading to the system folder, so that a DLL planted in the current or the
// application folder is never loaded in place of a system one. Does nothing where the call is
// missing.
void HardenDllSearchOrder();
