// The hidden application window of each program. Its text is the program's application title, and
// it owns every other top-level window of the program, which is how other programs recognise a
// running program: by the text of the owner of its windows.
#pragma once

#include <windows.h>

#include <string>

// Creates the hidden application window with `title` as its text. Returns 0 on failure.
HWND CreateApplicationWindow(HINSTANCE instance, const std::string& title);

// The application window created above (0 before it exists).
HWND ApplicationWindow();

// Changes the application title: the text of the application window.
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

// Asks `handler` about a close of the application window from outside (the task list sends
// WM_CLOSE to it). Without a handler the window ignores the close.
using ApplicationCloseHandler = void (*)();
void SetApplicationCloseHandler(ApplicationCloseHandler handler);

// The whole life of a program: restricts DLL loading to the system folder, starts COM for the
// picture decoders and the common controls of `controlClasses`, creates the application window
// titled `title` with `onClose` as its close handler, and runs `startUp`, then the message loop.
// Returns the loop's exit code, or `failureCode` when the window or the start-up failed.
using ProgramStartUp = bool (*)(HINSTANCE instance);
int RunApplication(HINSTANCE instance, const std::string& title, DWORD controlClasses, ApplicationCloseHandler onClose,
                   ProgramStartUp startUp, int failureCode);
