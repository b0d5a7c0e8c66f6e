// The loader's only window. It stays hidden and keeps the loader resident; the close requests it
// receives decide whether the wallpaper changes (only when the session ends). While a picture is
// converted into the temporary bitmap it shows itself as a small notice.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/form_builder.h"
#include "common/picture.h"
#include "common/window_base.h"
#include "loader/notice_layout.h"

namespace loader {

// Why the window is being closed, as Form_QueryUnload receives it.
enum UnloadMode : int16_t {
    kUnloadFromControlMenu = 0,  // the window's close command
    kUnloadByCode = 1,           // the loader unloads its own window
    kUnloadAppWindows = 2,       // Windows shuts down, restarts or logs the user off
    kUnloadTaskManager = 3,      // closed from the Windows task list
};

class LoaderMainForm {
public:
    // Creates the window hidden, owned by the application window. Returns false on failure.
    bool Load(HINSTANCE instance, HWND owner);

    // Closes the window as the loader itself does (no wallpaper change) and ends the program.
    void Unload();

    // Closes the window for `mode`: asks Form_QueryUnload, then destroys the window. A close
    // requested while another one is being handled is ignored.
    void Close(int16_t mode);

    HWND hwnd() const { return hwnd_; }
    HWND Control(NoticeControl control) const { return controls_[static_cast<int>(control)]; }

private:
    friend LRESULT CALLBACK ::FormWindowProc<LoaderMainForm>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode);

    // Converts the picture at `path` into the temporary bitmap, showing the window meanwhile.
    // Returns whether the bitmap was made; a failure leaves an earlier bitmap as it was.
    bool CreateTempBitmap(const std::string& path);
    // Deletes the temporary bitmap, and the unfinished file of a cut conversion, where they exist.
    void DeleteTempBitmap();
    // Deletes the unfinished file of a conversion that was cut short.
    void DeleteUnfinishedBitmap();

    HWND hwnd_ = nullptr;
    FormControls controls_;
    bool closing_ = false;
};

// The loader's window, program-wide like the form it stands for.
extern LoaderMainForm frmMain;

// The full path of the temporary bitmap: the application folder followed by "Quilloria.bmp".
std::string TempBitmapPath();

}  // namespace loader
