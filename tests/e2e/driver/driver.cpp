#include "driver.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace e2e {

namespace {

std::string TempFolder() {
    char buffer[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, buffer);
    std::string path = buffer;
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

// True when the program file of process `id` lies in `folder`.
bool RunsFrom(DWORD id, const std::string& folder) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process) return false;
    char image[MAX_PATH * 2] = {};
    DWORD size = sizeof(image);
    const bool inside = QueryFullProcessImageNameA(process, 0, image, &size) && size >= folder.size() &&
                        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image, static_cast<int>(folder.size()),
                                       folder.c_str(), static_cast<int>(folder.size())) == CSTR_EQUAL;
    CloseHandle(process);
    return inside;
}

// Ends every process whose program file lies in `folder` (programs the tested ones started too).
void EndProgramsIn(const std::string& folder) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (!RunsFrom(entry.th32ProcessID, folder)) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (!process) continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

}  // namespace

std::string BuildFolder() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(10);
    }
}

// ---- AppFolder ----

AppFolder::AppFolder(const std::string& parent) {
    static std::atomic<int> counter{0};
    for (;;) {
        path_ = (parent.empty() ? TempFolder() : parent) + "ql-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

AppFolder::~AppFolder() {
    EndProgramsIn(path_);
    RemoveTree(path_);
}

void AppFolder::InstallProgram(const std::string& builtName, const std::string& asName) {
    const std::string from = BuildFolder() + builtName;
    const std::string to = path_ + (asName.empty() ? builtName : asName);
    CopyFileA(from.c_str(), to.c_str(), FALSE);
}

void AppFolder::InstallLoaderWithStandIn() {
    InstallProgram("QLLoader.exe");
    InstallProgram("StandInConfig.exe", "Quilloria.exe");
}

void AppFolder::WriteFile(const std::string& name, const std::string& bytes) const {
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::optional<std::string> AppFolder::ReadFile(const std::string& name) const {
    HANDLE file = CreateFileA((path_ + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool AppFolder::Exists(const std::string& name) const {
    return GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AppFolder::Remove(const std::string& name) const {
    SetFileAttributesA((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((path_ + name).c_str());
}

// ---- Program ----

Program::Program(Program&& other) noexcept : process_(other.process_), id_(other.id_) {
    other.process_ = nullptr;
    other.id_ = 0;
}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = other.process_;
        id_ = other.id_;
        other.process_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

Program::~Program() { Kill(); }

Program Program::Start(const std::string& exePath, const std::string& arguments, const std::string& workingFolder) {
    Program program;
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::string folder = workingFolder.empty() ? exePath.substr(0, exePath.find_last_of('\\') + 1) : workingFolder;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info)) {
        return program;
    }
    CloseHandle(info.hThread);
    program.process_ = info.hProcess;
    program.id_ = info.dwProcessId;
    return program;
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::optional<DWORD> Program::WaitForExit(int timeoutMs) const {
    if (!process_) return std::nullopt;
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool Program::WaitUntilIdle(int timeoutMs) const {
    return process_ && WaitForInputIdle(process_, static_cast<DWORD>(timeoutMs)) == 0;
}

void Program::Kill() {
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

size_t Program::PeakMemory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!process_ || !GetProcessMemoryInfo(process_, &counters, sizeof(counters))) return 0;
    return counters.PeakWorkingSetSize;
}

// ---- windows ----

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

std::string WindowText(HWND window) {
    wchar_t buffer[4096] = {};
    if (GetAncestor(window, GA_PARENT) == GetDesktopWindow()) {
        // A top-level window's text comes from the window manager, without a message that a
        // busy program (a loader waiting for the configuration program) would not answer.
        GetWindowTextW(window, buffer, 4096);
    } else {
        // A control of another program: sent as a wide message, which Wine returns reliably.
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                            &copied);
    }
    char narrow[8192] = {};
    WideCharToMultiByte(CP_ACP, 0, buffer, -1, narrow, sizeof(narrow), nullptr, nullptr);
    return narrow;
}

std::string ClassName(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    return buffer;
}

HWND Owner(HWND window) { return GetWindow(window, GW_OWNER); }
bool IsVisible(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }
bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

RECT ChildRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

HWND Child(HWND parent, int id) {
    for (HWND child : Descendants(parent)) {
        if (GetDlgCtrlID(child) == id) return child;
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(processId)) {
                if (match(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

HWND WaitForWindowTitled(DWORD processId, const std::string& title, int timeoutMs) {
    return WaitForWindow(processId, [&](HWND window) { return WindowText(window) == title; }, timeoutMs);
}

namespace {
struct TitleSearch {
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<TitleSearch*>(parameter);
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (*search->title != text) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND FindTopLevelByTitle(const std::string& title) {
    TitleSearch search{&title, nullptr};
    EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowOfFolder(const AppFolder& folder, const std::string& title, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = nullptr;
            for (HWND window = GetTopWindow(nullptr); window && !found; window = GetWindow(window, GW_HWNDNEXT)) {
                DWORD id = 0;
                GetWindowThreadProcessId(window, &id);
                if (WindowText(window) == title && RunsFrom(id, folder.Path())) found = window;
            }
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool MessageBoxView::HasButton(int id) const {
    HWND button = GetDlgItem(window, id);
    return button && IsVisible(button);
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, int timeoutMs) {
    HWND box = WaitForWindow(
        processId, [](HWND window) { return ClassName(window) == "#32770" && IsVisible(window); }, timeoutMs);
    if (!box) return std::nullopt;
    MessageBoxView view;
    view.window = box;
    view.title = WindowText(box);
    if (HWND text = GetDlgItem(box, 0xFFFF)) view.text = WindowText(text);
    return view;
}

bool Click(HWND button) {
    if (!button || !IsWindowEnabled(button)) return false;
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool ClickAndWait(HWND button, int timeoutMs) {
    if (!button || !IsWindowEnabled(button)) return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeoutMs), &ignored) != 0;
}

bool ClickButton(HWND dialog, int id) { return Click(GetDlgItem(dialog, id)); }

bool ClickListRow(HWND list, int row) {
    RECT item{};
    if (!list || SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        return false;
    }
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    return true;
}

void PressKey(HWND window, UINT virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

ScreenShot CaptureScreen(const RECT& area) {
    ScreenShot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    if (shot.width <= 0 || shot.height <= 0) return shot;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    shot.pixels.assign(pixels, pixels + static_cast<size_t>(shot.width) * shot.height);
    for (uint32_t& pixel : shot.pixels) pixel &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

RECT ClientOnScreen(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

bool NearColour(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF), e = static_cast<int>((expected >> shift) & 0xFF);
        if (a - e > tolerance || e - a > tolerance) return false;
    }
    return true;
}

namespace {

struct ProcessEntry {
    DWORD id = 0, parent = 0;
    std::string name;
};

std::vector<ProcessEntry> RunningProcesses() {
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    }
    CloseHandle(snapshot);
    return processes;
}

// Process `root` and every process it started, and those they started, parents first.
std::vector<DWORD> ProcessTree(DWORD root) {
    const std::vector<ProcessEntry> all = RunningProcesses();
    std::vector<DWORD> tree{root};
    for (size_t i = 0; i < tree.size(); ++i) {
        for (const ProcessEntry& process : all) {
            if (process.parent == tree[i] && std::find(tree.begin(), tree.end(), process.id) == tree.end()) {
                tree.push_back(process.id);
            }
        }
    }
    return tree;
}

// Ends a process that still runs and waits until it has gone.
void EndProcess(DWORD id, UINT exitCode) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) return;
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, exitCode);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

// Prints every process of the session with its top-level windows: what a session end that did
// not finish was still waiting for.
void PrintWhatIsOpen() {
    for (const ProcessEntry& process : RunningProcesses()) {
        std::printf("  process %04lx %s (started by %04lx)\n", static_cast<unsigned long>(process.id),
                    process.name.c_str(), static_cast<unsigned long>(process.parent));
        for (HWND window : TopLevelWindows(process.id)) {
            std::printf("    window \"%s\" (%s)%s%s\n", WindowText(window).c_str(), ClassName(window).c_str(),
                        IsVisible(window) ? " visible" : "", IsHungAppWindow(window) ? " not responding" : "");
        }
    }
    std::fflush(stdout);
}

// How long a program may take to answer the session messages: the loader's work at a session end
// with room to spare on a busy machine.
constexpr UINT kSessionEndMs = 20000;

}  // namespace

bool EndSession(int timeoutMs) {
    Program wineboot = Program::Start("C:\\windows\\system32\\wineboot.exe", "--end-session", "C:\\");
    if (!wineboot.Id()) {
        std::printf("end session: wineboot could not be started (error %lu)\n", GetLastError());
        return false;
    }
    if (wineboot.WaitForExit(timeoutMs)) return true;
    std::printf("end session: wineboot --end-session (process %04lx) has not finished after %d ms; still open:\n",
                static_cast<unsigned long>(wineboot.Id()), timeoutMs);
    PrintWhatIsOpen();
    // A 32-bit wineboot hands its work to a 64-bit one that it starts: both go.
    const std::vector<DWORD> tree = ProcessTree(wineboot.Id());
    for (auto id = tree.rbegin(); id != tree.rend(); ++id) EndProcess(*id, 1);
    return false;
}

bool SendSessionEnd(DWORD processId, bool sessionEnds) {
    const std::vector<HWND> windows = TopLevelWindows(processId);
    const ULONGLONG deadline = GetTickCount64() + kSessionEndMs;
    bool answered = true;
    // Sends one message and waits for its answer until the deadline; false when there was none (a
    // window that has gone meanwhile fails at once).
    const auto send = [&](HWND window, UINT message, WPARAM wParam, DWORD_PTR* answer) {
        const ULONGLONG now = GetTickCount64();
        const UINT left = answered && now < deadline ? static_cast<UINT>(deadline - now) : 1;
        if (SendMessageTimeoutA(window, message, wParam, 0, SMTO_NORMAL, left, answer)) return true;
        if (GetLastError() != ERROR_TIMEOUT || !answered) return false;
        answered = false;
        std::printf("end session: window \"%s\" (%s) of process %04lx did not answer %s within %u ms; still open:\n",
                    WindowText(window).c_str(), ClassName(window).c_str(), static_cast<unsigned long>(processId),
                    message == WM_QUERYENDSESSION ? "WM_QUERYENDSESSION" : "WM_ENDSESSION", kSessionEndMs);
        PrintWhatIsOpen();
        return false;
    };
    bool agreed = true;
    for (HWND window : windows) {
        DWORD_PTR answer = TRUE;
        // A window destroyed while the message waited for it (a program ending by itself) answers
        // 0 without refusing anything.
        if (send(window, WM_QUERYENDSESSION, 0, &answer) && !answer && IsWindow(window)) agreed = false;
    }
    const bool ends = sessionEnds && agreed;
    for (HWND window : windows) {
        DWORD_PTR ignored = 0;
        send(window, WM_ENDSESSION, ends, &ignored);
    }
    // Windows ends a program that does not answer, too.
    if (ends || !answered) EndProcess(processId, 0);
    return agreed && answered;
}

// ---- registry ----

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key, const std::string& name) {
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    return std::string(buffer);
}

std::optional<DWORD> RegistryValueSize(HKEY root, const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    DWORD size = 0;
    const LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, nullptr, nullptr, &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return size;
}

void WriteRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(opened);
}

void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    RegDeleteValueA(opened, name.c_str());
    RegCloseKey(opened);
}

}  // namespace e2e
