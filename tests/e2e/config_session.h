// Working the configuration program from outside: starting it in a fresh folder, finding its
// window and controls, and keeping the machine's autostart value as it was around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/main_layout.h"
#include "driver.h"

namespace e2e {

inline const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const char kAutostartName[] = "Quilloria Loader";
inline const char kThreePictures[] =
    "\"Version 1.1\"\r\n3\r\n8,\"C:\\Pics\\sunset.jpg\",0,#FALSE#\r\n3,\"D:\\b.bmp\",1,#FALSE#\r\n"
    "11,\"C:\\My Pics\\c.gif\",0,#TRUE#\r\n";
inline const char kOtherList[] = "\"Version 1.1\"\r\n1\r\n3,\"C:\\z.bmp\",0,#FALSE#\r\n";

// The controls of the configuration window, named as in its layout table (MainControl).
using enum MainControl;

// The configuration program running from `folder`, its window found and first activation done.
struct ConfigSession {
    Program program;
    HWND window = nullptr;

    // Installs Quilloria.exe in `folder` with `settings` as its settings file (none when null),
    // then starts it.
    ConfigSession(AppFolder& folder, const char* settings) : ConfigSession(Install(folder, settings)) {}

    explicit ConfigSession(const AppFolder& folder) : ConfigSession(folder.Path()) {}

    // Starts Quilloria.exe from `folderPath` (ending in a backslash).
    explicit ConfigSession(const std::string& folderPath) {
        program = Program::Start(folderPath + "Quilloria.exe");
        window = WaitForWindowTitled(program.Id(), "Quilloria Configuration", 10000);
        // The first activation shows the frames.
        if (window) WaitUntil([&] { return IsVisible(Control(fList)); });
    }
    static AppFolder& Install(AppFolder& folder, const char* settings) {
        folder.InstallProgram("Quilloria.exe");
        if (settings) folder.WriteFile("Quilloria.dat", settings);
        return folder;
    }

    HWND Control(MainControl control) const { return Child(window, ControlId(control)); }
    bool Checked(MainControl id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(MainControl id, bool checked) const {
        if (Checked(id) != checked) Click(Control(id));
        WaitUntil([&] { return Checked(id) == checked; });
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        const LRESULT count = SendMessageW(Control(lPix), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[512] = {};
            SendMessageW(Control(lPix), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            char narrow[1024] = {};
            WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr);
            rows.push_back(narrow);
        }
        return rows;
    }
};

// Picks files in the program's open-file dialog as a user types them: first `folder` (the dialog
// moves there), then `names` in the file-name field ("a.jpg" alone, or "\"a.jpg\" \"b c.gif\""
// for several), then Open. Returns false when the dialog did not appear.
inline bool PickFiles(DWORD processId, const std::string& folder, const std::string& names) {
    HWND dialog = WaitForWindow(
        processId, [](HWND w) { return ClassName(w) == "#32770" && WindowText(w) == "Select Picture Files" && IsVisible(w); },
        10000);
    if (!dialog) return false;
    HWND field = GetDlgItem(dialog, 0x47C);  // cmb13, the file name
    // Open on a folder moves the dialog there and leaves it open: the click is sent, so the names
    // go into the field only after the dialog has handled it.
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    if (!ClickAndWait(GetDlgItem(dialog, IDOK))) return false;
    // Open on the names ends the dialog, or opens a message box about a missing file: posted.
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
    if (!ClickButton(dialog, IDOK)) return false;
    return WaitUntil([&] { return !IsWindow(dialog) || !IsVisible(dialog); }, 10000);
}

// Waits for an "Error:" message box of the process.
inline std::optional<MessageBoxView> WaitForError(DWORD processId, int timeoutMs = 5000) {
    HWND box = WaitForWindow(
        processId, [](HWND w) { return ClassName(w) == "#32770" && WindowText(w) == "Error:" && IsVisible(w); },
        timeoutMs);
    if (!box) return std::nullopt;
    MessageBoxView view{box, "Error:", WindowText(GetDlgItem(box, 0xFFFF))};
    return view;
}

// Answers a message box with OK and waits until it has gone.
inline void Acknowledge(const MessageBoxView& box) {
    ClickButton(box.window, IDOK);
    WaitUntil([&] { return !IsWindow(box.window) || !IsVisible(box.window); });
}

// Keeps the machine-wide and the current user's autostart values around a test: saved at the
// start, put back at the end. The current user's value is taken away at the start; a value left in
// the prefix would start its loader at every later session end.
class AutostartGuard {
public:
    AutostartGuard()
        : saved_(ReadRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName)),
          savedUser_(ReadRegistryString(HKEY_CURRENT_USER, kRunKey, kAutostartName)) {
        HKEY key = nullptr;  // a fresh prefix may not have the Run key yet; Windows always has it
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) == 0) {
            RegCloseKey(key);
        }
        DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, kAutostartName);
    }
    ~AutostartGuard() {
        for (auto [root, saved] : {std::pair{HKEY_LOCAL_MACHINE, &saved_}, {HKEY_CURRENT_USER, &savedUser_}}) {
            if (*saved) {
                WriteRegistryString(root, kRunKey, kAutostartName, **saved);
            } else {
                DeleteRegistryValue(root, kRunKey, kAutostartName);
            }
        }
    }
    static void Set(const std::string& value) { WriteRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName, value); }
    static void Clear() { DeleteRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName); }
    static std::optional<std::string> Value() { return ReadRegistryString(HKEY_LOCAL_MACHINE, kRunKey, kAutostartName); }
    static std::optional<std::string> UserValue() {
        return ReadRegistryString(HKEY_CURRENT_USER, kRunKey, kAutostartName);
    }

private:
    std::optional<std::string> saved_;
    std::optional<std::string> savedUser_;
};

}  // namespace e2e
