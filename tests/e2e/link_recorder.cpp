// A stand-in for the mail program and the web browser: a test registers it as the shell's handler
// of mailto:, http: and https: addresses. Each start writes its command line to a file of its own,
// LinkRecorder-<process id>.txt beside the program, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    path = path.substr(0, path.find_last_of('\\') + 1) + "LinkRecorder-" + std::to_string(GetCurrentProcessId()) +
           ".txt";
    // Written under another name and renamed, so that a reader never sees half a line.
    const std::string partial = path + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char* commandLine = GetCommandLineA();
    DWORD written = 0;
    WriteFile(file, commandLine, lstrlenA(commandLine), &written, nullptr);
    CloseHandle(file);
    return MoveFileA(partial.c_str(), path.c_str()) ? 0 : 1;
}
