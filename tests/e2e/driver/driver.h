// The end-to-end driver: starts the real programs in a fresh application folder and works them
// from outside, as a user and Windows do: finds their windows, reads texts and states, clicks,
// answers message boxes, ends the session, and reads back files and registry values.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The folder of the running test program, ending in a backslash: the built programs are there.
std::string BuildFolder();

// Waits until `condition` holds, checking every 10 ms for at most `timeoutMs`.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// A fresh, empty application folder under the temporary folder, or under `parent` (ending in a
// backslash) when given. When the object goes, every program still running from it is ended and
// the folder is removed with its content.
class AppFolder {
public:
    explicit AppFolder(const std::string& parent = "");
    ~AppFolder();
    AppFolder(const AppFolder&) = delete;
    AppFolder& operator=(const AppFolder&) = delete;

    const std::string& Path() const { return path_; }  // ends in a backslash
    std::string operator/(const std::string& name) const { return path_ + name; }

    // Copies a built program (from BuildFolder()) into the folder, under `asName` if given.
    void InstallProgram(const std::string& builtName, const std::string& asName = "");
    // Installs QLLoader.exe and, as Quilloria.exe, the stand-in configuration program.
    void InstallLoaderWithStandIn();

    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::optional<std::string> ReadFile(const std::string& name) const;
    bool Exists(const std::string& name) const;
    void Remove(const std::string& name) const;

private:
    std::string path_;
};

// A started program. Ended (terminated) when the object goes, if still running.
class Program {
public:
    Program() = default;
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    ~Program();

    // Starts `exePath` with `arguments`, in `workingFolder` (its own folder when empty). Returns
    // a program whose Id() is 0 when it could not be started.
    static Program Start(const std::string& exePath, const std::string& arguments = "",
                         const std::string& workingFolder = "");

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // Waits for the program to end; returns its exit code, or nothing when it still runs.
    std::optional<DWORD> WaitForExit(int timeoutMs = 5000) const;
    // Waits until the program waits for input with none pending (it has finished starting).
    bool WaitUntilIdle(int timeoutMs) const;
    void Kill();
    // Peak working set of the process in bytes (0 if unknown).
    size_t PeakMemory() const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Window facts, read from outside the owning process.
std::vector<HWND> TopLevelWindows(DWORD processId);
std::string WindowText(HWND window);
std::string ClassName(HWND window);
HWND Owner(HWND window);
bool IsVisible(HWND window);
bool IsEnabled(HWND window);
// The window rectangle of a child in its parent's client coordinates (creation coordinates).
RECT ChildRect(HWND child);
RECT ClientRect(HWND window);
// The child of `parent` with control id `id` (searched in all descendants), 0 if none.
HWND Child(HWND parent, int id);
// All descendants of `parent`, in creation order.
std::vector<HWND> Descendants(HWND parent);

// The first top-level window of the process for which `match` holds, waiting up to `timeoutMs`.
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, int timeoutMs = 5000);
HWND WaitForWindowTitled(DWORD processId, const std::string& title, int timeoutMs = 5000);

// The top-level window, of any process, whose text is `title` (0 if none).
HWND FindTopLevelByTitle(const std::string& title);

// The top-level window titled `title` of a program started from `folder` (a program that a
// tested program started, whose process id the test does not know), waiting up to `timeoutMs`.
HWND WaitForWindowOfFolder(const AppFolder& folder, const std::string& title, int timeoutMs = 5000);

struct MessageBoxView {
    HWND window = nullptr;
    std::string title;
    std::string text;  // line feeds kept
    bool HasButton(int id) const;
};
// Waits for a message box (or any dialog box) of the process.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, int timeoutMs = 5000);

// Clicks the button with control id `id` of a dialog (posted, so a modal window it opens does not
// block the driver). Returns false when there is no such enabled button.
bool ClickButton(HWND dialog, int id);
// Clicks a button window by its handle (posted), refusing disabled buttons as a user's click would.
bool Click(HWND button);
// Clicks a button and returns once its program has handled the click (sent, so only for a click
// that opens no modal window); false when the button is disabled or did not answer in `timeoutMs`.
bool ClickAndWait(HWND button, int timeoutMs = 10000);

// Clicks row `row` of another program's list box at its centre, as a user selects it.
bool ClickListRow(HWND list, int row);

// Sends a key press and release to `window` (posted).
void PressKey(HWND window, UINT virtualKey);

// What the screen shows in a rectangle (screen coordinates), as 0x00RRGGBB, top row first.
struct ScreenShot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenShot CaptureScreen(const RECT& area);
// The client area of `window` on the screen.
RECT ClientOnScreen(HWND window);
// True when every channel of the two colours (0x00RRGGBB) differs by at most `tolerance`.
bool NearColour(uint32_t actual, uint32_t expected, int tolerance = 40);

// Ends the Windows session of every program through Wine's own tool (wineboot --end-session), as
// a logoff does, and waits up to `timeoutMs` for it. When the tool has not finished by then, prints
// what was still open (processes and visible windows), ends the tool with every process it
// started, and returns false.
bool EndSession(int timeoutMs = 30000);

// Sends the top-level windows of program `processId` what Windows sends at the end of a session:
// WM_QUERYENDSESSION to each, then WM_ENDSESSION, TRUE when `sessionEnds` and every window agreed,
// FALSE otherwise (a session end that another program cancelled). A program still running after
// it handled a real end is ended, as Windows ends it. The program has 20 s for all its answers (a
// busy one answers late); one that has not answered by then is reported with what was open and
// ended. A window that went away meanwhile counts as agreeing. Returns whether every window
// answered and agreed.
bool SendSessionEnd(DWORD processId, bool sessionEnds = true);

// Registry helpers for checks and set-up.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key, const std::string& name);
std::optional<DWORD> RegistryValueSize(HKEY root, const std::string& key, const std::string& name);
void WriteRegistryString(HKEY root, const std::string& key, const std::string& name, const std::string& value);
void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name);

}  // namespace e2e
