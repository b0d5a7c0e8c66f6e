// The loader's only window. It stays hidden and keeps the loader resident; the close requests it
// receives decide whether the wallpaper changes (only when the session ends).
#pragma once

#include <windows.h>

#include <cstdint>

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

    // Closes the window for `mode`: asks Form_QueryUnload, then destroys the window.
    void Close(int16_t mode);

    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode);

    HWND hwnd_ = nullptr;
};

// The loader's window, program-wide like the form it stands for.
extern LoaderMainForm frmMain;
