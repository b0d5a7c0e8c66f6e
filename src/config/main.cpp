// Quilloria: the configuration program. One window in which the user builds the wallpaper list and
// switches the loader's autostart on or off.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "common/app_window.h"
#include "common/message_pump.h"
#include "common/process_hardening.h"
#include "config/code_main.h"
#include "config/config_texts.h"
#include "config/frm_main.h"

namespace {
// A close of the application window from the task list closes the main window like its close box.
void CloseFromTaskList() { config::frmMain.Unload(); }
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HardenDllSearchOrder();
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // for the picture decoders
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 1;
    if (CreateApplicationWindow(instance, kConfigTitle)) {
        SetApplicationCloseHandler(CloseFromTaskList);
        if (config::StartUp(instance)) exitCode = RunMessageLoop();
        DestroyWindow(ApplicationWindow());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return exitCode;
}
