#include "loader/code_shell_wait.h"

#include <vector>

#include "common/message_pump.h"
#include "common/scoped_win.h"

namespace loader {

ShellWaitResult ShellAndWait(const std::string& ProgramPath, int WindowStyle, int32_t Timeout) {
    ShellWaitResult result;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(WindowStyle);
    PROCESS_INFORMATION process{};
    std::vector<char> commandLine(ProgramPath.begin(), ProgramPath.end());
    commandLine.push_back('\0');
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        result.startError = GetLastError();
        return result;
    }
    ScopedHandle(process.hThread).Close();  // not needed
    ScopedHandle created(process.hProcess);

    DoEvents();

    // Opened afresh by the process id, with the rights to wait for it and to end it. The handle
    // from CreateProcess stays open until then: a program that ends at once keeps its process
    // object, so its id cannot fail to open or be reused by another process meanwhile.
    const ScopedHandle handle(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, TRUE, process.dwProcessId));
    created.Close();
    if (!handle) {
        result.waitResult = static_cast<int32_t>(WAIT_FAILED);
        result.waitError = GetLastError();
        return result;
    }
    const DWORD timeout = Timeout < 0 ? INFINITE : static_cast<DWORD>(Timeout);
    const DWORD wait = WaitForSingleObject(handle.get(), timeout);
    result.waitResult = static_cast<int32_t>(wait);
    if (wait == WAIT_FAILED) result.waitError = GetLastError();
    if (wait == WAIT_TIMEOUT) result.waitError = ERROR_TIMEOUT;
    if (wait != WAIT_OBJECT_0) TerminateProcess(handle.get(), 0);
    return result;
}

}  // namespace loader
