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
    // Messages that other programs send are answered meanwhile (posted ones wait): a session end
    // that comes while the user works in the configuration program reaches this program too,
    // instead of waiting for an answer that would never come.
    const DWORD timeout = Timeout < 0 ? INFINITE : static_cast<DWORD>(Timeout);
    const HANDLE raw = handle.get();
    const ULONGLONG deadline = GetTickCount64() + timeout;
    DWORD wait;
    for (;;) {
        DWORD left = timeout;
        if (timeout != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        }
        wait = MsgWaitForMultipleObjects(1, &raw, FALSE, left, QS_SENDMESSAGE);
        if (wait != WAIT_OBJECT_0 + 1) break;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles the sent ones
    }
    result.waitResult = static_cast<int32_t>(wait);
    if (wait == WAIT_FAILED) result.waitError = GetLastError();
    if (wait == WAIT_TIMEOUT) result.waitError = ERROR_TIMEOUT;
    if (wait != WAIT_OBJECT_0) TerminateProcess(handle.get(), 0);
    return result;
}

}  // namespace loader
