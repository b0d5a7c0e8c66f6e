// The CPU time another process has used. GetProcessTimes gives it on Windows; under Wine it gives
// 0 for every process but the caller's own, so there the time is read from Linux's /proc (through
// Wine's drive Z:), for the process whose command line contains a given mark.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

inline bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

inline std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The Linux process id of the process whose command line contains `mark`; empty when none has.
inline std::string FindLinuxProcess(const std::string& mark) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::string match;
    do {
        const std::string name = found.cFileName;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string commandLine = ReadWholeFile("Z:\\proc\\" + name + "\\cmdline");
        for (char& c : commandLine) c = c ? c : ' ';
        if (commandLine.find(mark) != std::string::npos) match = name;
    } while (match.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return match;
}

// Milliseconds of CPU time (user and kernel) of `process`; under Wine of the Linux process
// `linuxPid` (from FindLinuxProcess). -1 when it cannot be read.
inline double ProcessCpuMs(HANDLE process, const std::string& linuxPid) {
    if (!RunningUnderWine()) {
        FILETIME created{}, exited{}, kernel{}, user{};
        if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
        const auto ms = [](const FILETIME& t) {
            return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
        };
        return ms(kernel) + ms(user);
    }
    // Fields 14 and 15 of /proc/PID/stat, in clock ticks of 10 ms; the fields are counted after
    // the program name in parentheses, which may hold spaces.
    const std::string stat = ReadWholeFile("Z:\\proc\\" + linuxPid + "\\stat");
    const size_t nameEnd = stat.rfind(')');
    if (linuxPid.empty() || nameEnd == std::string::npos) return -1;
    std::vector<std::string> fields;
    size_t at = nameEnd + 1;
    while (at < stat.size()) {
        const size_t start = stat.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const size_t end = stat.find(' ', start);
        fields.push_back(stat.substr(start, end == std::string::npos ? std::string::npos : end - start));
        at = end == std::string::npos ? stat.size() : end;
    }
    if (fields.size() < 13) return -1;  // fields[0] is field 3 (the state)
    return (std::stod(fields[11]) + std::stod(fields[12])) * 10.0;
}

}  // namespace bench
