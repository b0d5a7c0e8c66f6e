// Quilloria: the configuration program. One window in which the user builds the wallpaper list and
// switches the loader's autostart on or off.
#include <windows.h>
#include <commctrl.h>

#include "common/app_window.h"
#include "config/code_main.h"
#include "config/config_texts.h"
#include "config/frm_main.h"

namespace {
// A close of the application window from the task list closes the main window like its close box.
void CloseFromTaskList() { config::frmMain.Unload(); }
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunApplication(instance, kConfigTitle, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES, CloseFromTaskList,
                          config::StartUp, 1);
}
