#include "loader/code_main.h"

#include "common/app_window.h"
#include "common/error_text.h"
#include "common/settings_file.h"
#include "common/window_search.h"
#include "loader/code_shell_wait.h"
#include "loader/frm_main.h"
#include "loader/loader_texts.h"
#include "loader/wallpaper_registration.h"

namespace loader {

namespace {

// Starts the configuration program from the application folder and waits until the user has
// closed it. Shows the critical message and returns false when that fails.
bool RunConfigurationProgram() {
    // The full path, quoted: never a Quilloria.exe that the current folder or the search path
    // supplies, so a folder that the ANSI code page cannot name starts nothing.
    const std::string folder = AppFolder();
    ShellWaitResult result;
    if (folder.empty()) {
        result.startError = ERROR_NO_UNICODE_TRANSLATION;
    } else {
        result = ShellAndWait("\"" + folder + "Quilloria.exe\"", SW_SHOWNORMAL, -1);
        if (result.Succeeded()) return true;
    }

    const DWORD error = result.startError ? result.startError : result.waitError;
    const std::string text = CouldNotStartConfigurationText(SystemErrorDescription(error));
    MessageBoxA(ApplicationWindow(), text.c_str(), kCriticalErrorCaption, MB_OK | MB_ICONSTOP | MB_SETFOREGROUND);
    return false;
}

}  // namespace

bool StartUp(HINSTANCE instance) {
    if (!frmMain.Load(instance, ApplicationWindow())) return false;

    if (!LoadSettings() && !RunConfigurationProgram()) {
        frmMain.Unload();
        return false;
    }

    if (FindOtherInstance(ApplicationTitle())) {
        frmMain.Unload();
        return false;
    }
    // The search lets messages through: a session that ended meanwhile has done the loader's work
    // and closed its window, and the wallpaper it registered must not be touched again.
    if (!frmMain.hwnd()) return false;
    // No restart registration: Windows would then close the loader as for an installer at every
    // restart that restarts apps (no wallpaper change) and start it twice at the next sign-in.
    // The Run value starts it at every logon.
    ApplyRegisteredWallpaper();
    return true;
}

bool FindOtherInstance(const std::string& title) {
    const std::string kept = title;
    SetApplicationTitle(kDuplicateTitle);
    const bool found = FindOwnerWindowByTitle(kept) != nullptr;
    SetApplicationTitle(kept);
    return found;
}

}  // namespace loader
