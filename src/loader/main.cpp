// QLLoader: the resident half of Quilloria. Started at logon; changes the wallpaper for the next
// logon when the session ends.
#include <windows.h>
#include <commctrl.h>

#include "common/app_window.h"
#include "loader/code_main.h"
#include "loader/frm_main.h"
#include "loader/loader_texts.h"
#include "loader/single_instance.h"

namespace {
// A close of the application window from the task list closes the loader without a change.
void CloseFromTaskList() { loader::frmMain.Close(loader::kUnloadTaskManager); }
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A loader that ends at start-up (another one runs already) ends normally. The claim comes
    // before any window: a loader that loses it must never be found by its title, or the one that
    // won would take it for a running loader and end as well.
    if (!loader::TakeLoaderClaim()) return 0;
    return RunApplication(instance, kLoaderTitle, ICC_STANDARD_CLASSES, CloseFromTaskList, loader::StartUp, 0);
}
