// Starting a program and waiting until it has ended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace loader {

struct ShellWaitResult {
    DWORD startError = 0;        // not 0: the program could not be started (a Windows error code)
    int32_t waitResult = 0;      // 0: the process ended within the wait; else the wait's result
    DWORD waitError = 0;         // the Windows error of a failed wait
    bool Succeeded() const { return startError == 0 && waitResult == 0; }
};

// Starts `ProgramPath` (a command line) with the show state `WindowStyle` and waits at most
// `Timeout` milliseconds (-1: no limit) for its process to end. A process still running when the
// wait ends without it is terminated.
ShellWaitResult ShellAndWait(const std::string& ProgramPath, int WindowStyle, int32_t Timeout);

}  // namespace loader
