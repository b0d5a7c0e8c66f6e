// QLLoader: the resident half of Quilloria. Started at logon; changes the wallpaper for the next
// logon when the session ends.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "common/app_window.h"
#include "common/message_pump.h"
#include "common/process_hardening.h"
#include "loader/code_main.h"
#include "loader/frm_main.h"
#include "loader/loader_texts.h"

namespace {
// A close of the application window from the task list closes the loader without a change.
void CloseFromTaskList() { frmMain.Close(kUnloadTaskManager); }
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HardenDllSearchOrder();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the picture decoders
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 0;
    if (CreateApplicationWindow(instance, kLoaderTitle)) {
        SetApplicationCloseHandler(CloseFromTaskList);
        if (StartUp(instance)) exitCode = RunMessageLoop();
        DestroyWindow(ApplicationWindow());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
