// The guided tour that scripts/run.sh plays on a virtual screen: Quilloria's story with the real
// programs, driven from outside as a user and Windows would, with one numbered screenshot per
// step. A first logon opens the configuration program, pictures are added through the open-file
// dialog and previewed in their styles, "&OK" saves the list with autostart, the session ends,
// and the next logon shows the wallpaper. It is not a test: it only reports a step that could not
// be done, and then ends with exit code 1.
//
// Usage: QuilloriaTour.exe APP_FOLDER PICTURE_FOLDER SCREENSHOT_FOLDER
//   APP_FOLDER     holds QLLoader.exe and Quilloria.exe and no picture list yet (a first logon)
//   PICTURE_FOLDER receives the sample pictures the tour paints
//   SCREENSHOT_FOLDER receives 01-first-logon.png, 02-..., one per step
#include <windows.h>
#include <shlobj.h>
#include <wincodec.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "../../win/test_pictures.h"
#include "../config_session.h"
#include "../loader_session.h"

namespace {

using namespace e2e;
namespace tp = test_pictures;

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

// ---- sample pictures: a landscape, a dusk over the sea, and a tile of waves ----

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint32_t Rgb(Colour c) {
    const auto channel = [](double v) { return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v + 0.5)); };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Morning over green hills: a blue sky paling towards the horizon, a sun with its glow, far hills
// in haze and near hills darkening towards the foot of the picture.
uint32_t Meadow(int x, int y) {
    const double sunDistance = std::hypot(x - 760.0, y - 170.0);
    Colour c = Mix({62, 122, 196}, {196, 222, 238}, y / 470.0);
    c = Mix(c, {255, 244, 214}, std::exp(-sunDistance / 90.0) * 0.9);
    if (sunDistance < 38) c = {255, 252, 236};
    const double farRidge = 455 + 34 * std::sin(x / 140.0) + 14 * std::sin(x / 51.0 + 1.3);
    const double nearRidge = 560 + 48 * std::sin(x / 230.0 + 2.1) + 18 * std::sin(x / 83.0);
    if (y > farRidge) c = Mix({128, 160, 150}, {96, 138, 112}, (y - farRidge) / 120.0);
    if (y > nearRidge) c = Mix({112, 170, 72}, {46, 104, 38}, (y - nearRidge) / 260.0);
    return Rgb(c);
}

// Dusk over the sea: a violet sky glowing orange at the horizon, a setting sun and its
// shimmering path on darker water.
uint32_t Dusk(int x, int y) {
    constexpr double horizon = 260, sunX = 430;
    if (y < horizon) {
        Colour c = y < 150 ? Mix({38, 32, 92}, {176, 78, 118}, y / 150.0)
                           : Mix({176, 78, 118}, {250, 168, 84}, (y - 150) / (horizon - 150));
        const double sun = std::hypot(x - sunX, y - horizon);
        c = Mix(c, {255, 214, 130}, std::exp(-sun / 70.0) * 0.8);
        if (sun < 34) c = {255, 226, 150};
        return Rgb(c);
    }
    const double depth = (y - horizon) / (400 - horizon);
    Colour c = Mix({120, 66, 96}, {24, 30, 70}, depth);
    const double path = 30 + 90 * depth;
    if (std::fabs(x - sunX) < path && std::sin(y * 1.7 + x * 0.05) > 0.55) {
        c = Mix(c, {255, 196, 120}, 0.75 * (1 - std::fabs(x - sunX) / path));
    }
    return Rgb(c);
}

// A seamless tile of waves in four flat colours, as GIF pictures keep them.
uint32_t Waves(int x, int y) {
    const double crest = 24 + 7 * std::sin(x * 2 * 3.14159265358979 / 64);
    if (std::fabs(y - crest) < 2.5) return 0xF0F6FA;
    if (y > crest) return y - crest < 12 ? 0x2C78B4 : 0x1E5A96;
    return 0x5AA0D2;
}

bool MakePictures(const std::string& folder) {
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
    const bool meadow = tp::EncodeWithWic(folder + "Meadow.jpg", GUID_ContainerFormatJpeg, 1024, 768, Meadow);
    tp::WriteBytes(folder + "Dusk.bmp", tp::BitmapFile(640, 400, Dusk));
    const bool waves = tp::EncodeWithWic(folder + "Waves.gif", GUID_ContainerFormatGif, 64, 48, Waves);
    return meadow && waves && GetFileAttributesA((folder + "Dusk.bmp").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---- the tour ----

class Tour {
public:
    Tour(std::string app, std::string pictures, std::string shots)
        : app_(WithBackslash(std::move(app))), pictures_(WithBackslash(std::move(pictures))),
          shots_(WithBackslash(std::move(shots))) {}

    int Run() {
        // The pointer out of the way, so that no tool tip covers the windows in the screenshots.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, 0);
        if (!MakePictures(pictures_)) return Failed("the sample pictures could not be written to " + pictures_);
        if (!FirstLogon()) return 1;
        if (!AddPictures()) return 1;
        if (!PreviewCentred()) return 1;
        if (!PreviewTiled()) return 1;
        if (!SaveWithOk()) return 1;
        if (!EndTheSession()) return 1;
        if (!NextLogon()) return 1;
        std::printf("tour: done, %d screenshots in %s\n", step_, shots_.c_str());
        return 0;
    }

private:
    int Failed(const std::string& what) {
        std::printf("tour: step %d could not be done: %s\n", step_ + 1, what.c_str());
        std::fflush(stdout);
        return 1;
    }
    bool Fail(const std::string& what) {
        Failed(what);
        return false;
    }

    // Saves what the screen shows in `area` as the next numbered screenshot.
    bool Shot(const std::string& name, RECT area, const std::string& caption) {
        Sleep(300);  // the last repaint
        RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        IntersectRect(&area, &area, &screen);
        const ScreenShot shot = CaptureScreen(area);
        char number[8];
        std::snprintf(number, sizeof(number), "%02d", step_ + 1);
        const std::string path = shots_ + number + "-" + name + ".png";
        if (shot.width <= 0 || shot.height <= 0 ||
            !tp::EncodeWithWic(path, GUID_ContainerFormatPng, shot.width, shot.height,
                               [&](int x, int y) { return shot.At(x, y); })) {
            return Fail("the screenshot " + path + " could not be saved");
        }
        ++step_;
        std::printf("tour: %s  %s\n", number, caption.c_str());
        std::fflush(stdout);
        return true;
    }

    static RECT WindowArea(HWND window) {
        RECT area{};
        GetWindowRect(window, &area);
        return area;
    }

    HWND Control(MainControl control) const { return Child(window_, ControlId(control)); }
    bool Checked(MainControl control) const { return SendMessageA(Control(control), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Selects a row as a user does and waits until its preview shows a picture of `size`.
    bool Select(int row, const std::string& size) {
        ClickListRow(Control(lPix), row);
        return WaitUntil([&] {
            wchar_t first[64] = {};
            HWND info = Control(lInfo);
            return SendMessageW(Control(lPix), LB_GETCURSEL, 0, 0) == row && SendMessageW(info, LB_GETCOUNT, 0, 0) > 0 &&
                   SendMessageW(info, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first)) > 0 &&
                   std::wstring(first) == std::wstring(size.begin(), size.end());
        });
    }

    bool ClickAndCheck(MainControl control) {
        return Click(Control(control)) && WaitUntil([&] { return Checked(control); });
    }

    // Waits for the configuration window of a program started from the application folder.
    bool FindConfigWindow() {
        window_ = nullptr;
        WaitUntil([&] { return (window_ = FindTopLevelByTitle("Quilloria Configuration")) && IsVisible(window_); }, 15000);
        if (!window_) return false;
        GetWindowThreadProcessId(window_, &config_);
        return WaitUntil([&] { return IsVisible(Control(lPix)); });
    }

    // A first logon: the loader starts, finds no picture list and opens the configuration program.
    bool FirstLogon() {
        loader_ = Program::Start(app_ + "QLLoader.exe");
        if (!loader_.Id()) return Fail("QLLoader.exe could not be started from " + app_);
        if (!FindConfigWindow()) return Fail("the loader did not open the configuration program");
        return Shot("first-logon", WindowArea(window_),
                    "First logon: without a picture list, the loader opens the configuration program");
    }

    // "&Add...": the open-file dialog, in the sample pictures' folder with three of them picked.
    bool AddPictures() {
        if (!Click(Control(btnAdd))) return Fail("Add... could not be pressed");
        HWND dialog = WaitForWindow(
            config_, [](HWND w) { return ClassName(w) == "#32770" && WindowText(w) == "Select Picture Files" && IsVisible(w); },
            10000);
        if (!dialog) return Fail("the open-file dialog did not appear");
        HWND field = GetDlgItem(dialog, 0x47C);  // the file name
        const std::string folder = pictures_.substr(0, pictures_.size() - 1);
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        // Moves the dialog into that folder; the names go in once it has handled the click.
        if (!ClickAndWait(GetDlgItem(dialog, IDOK))) return Fail("the open-file dialog did not move into the pictures' folder");
        const char names[] = "\"Meadow.jpg\" \"Dusk.bmp\" \"Waves.gif\"";
        SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names));
        RECT both = WindowArea(window_), dialogArea = WindowArea(dialog);
        UnionRect(&both, &both, &dialogArea);
        if (!Shot("open-file-dialog", both, "Add...: pictures picked in the open-file dialog")) return false;
        if (!ClickButton(dialog, IDOK)) return Fail("the open-file dialog's Open could not be pressed");
        if (!WaitUntil([&] { return SendMessageA(Control(lPix), LB_GETCOUNT, 0, 0) == 3; })) {
            return Fail("the three pictures did not arrive in the list");
        }
        return true;
    }

    bool PreviewCentred() {
        if (!Select(1, "640x400")) return Fail("Dusk.bmp could not be selected");
        return Shot("preview-centred", WindowArea(window_),
                    "The list holds the pictures; Dusk.bmp is previewed centred, with its information");
    }

    bool PreviewTiled() {
        if (!Select(2, "64x48")) return Fail("Waves.gif could not be selected");
        if (!ClickAndCheck(oShow1)) return Fail("Tile could not be chosen");
        return Shot("preview-tiled", WindowArea(window_), "Waves.gif is set to Tile: the preview shows it side by side");
    }

    // The landscape first and stretched, autostart ticked, then "&OK".
    bool SaveWithOk() {
        if (!Select(0, "1024x768")) return Fail("Meadow.jpg could not be selected");
        if (!ClickAndCheck(cStretch)) return Fail("Stretch could not be ticked");
        if (!Checked(cAuto) && !ClickAndCheck(cAuto)) return Fail("Autostart could not be ticked");
        if (!Shot("ok", WindowArea(window_),
                  "Meadow.jpg, first in the list, is stretched; with Autostart ticked, OK saves the list")) {
            return false;
        }
        if (!Click(Control(btnOK))) return Fail("OK could not be pressed");
        if (!WaitUntil([&] { return !IsWindow(window_); }, 10000)) {
            const auto box = WaitForMessageBox(config_, 500);
            return Fail(box ? "OK was answered with \"" + box->title + " " + box->text + "\"" : "OK did not end the program");
        }
        if (!WaitForWindowTitled(loader_.Id(), "Quilloria Loader", 5000)) return Fail("the loader did not stay resident");
        return true;
    }

    // The session ends: the loader registers the first picture as the next wallpaper and moves it
    // to the end of the list, which the configuration program, opened again, shows.
    bool EndTheSession() {
        if (!EndSession()) return Fail("Wine's session end did not finish");
        if (!loader_.WaitForExit(10000)) return Fail("the loader did not end with the session");
        const auto wallpaper = ReadRegistryString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
        if (wallpaper != app_ + "Quilloria.bmp") return Fail("the loader did not register Meadow.jpg as the wallpaper");
        Program config = Program::Start(app_ + "Quilloria.exe");
        if (!FindConfigWindow()) return Fail("the configuration program did not open again");
        if (!Shot("session-ended", WindowArea(window_),
                  "The session has ended: Meadow.jpg is the next wallpaper and has moved to the end of the list")) {
            return false;
        }
        Click(Control(btnCancel));
        if (!config.WaitForExit(5000)) return Fail("Cancel did not end the configuration program");
        return true;
    }

    // The next logon: Windows has started the loader from its autostart value (Wine starts the
    // programs of the Run key right after a session's end, as at a logon), and the desktop shows
    // the wallpaper.
    bool NextLogon() {
        const std::string loaderPath = app_ + "QLLoader.exe";
        DWORD resident = 0;
        const bool started = WaitUntil(
            [&] {
                resident = 0;
                if (HWND window = FindTopLevelByTitle("Quilloria Loader")) GetWindowThreadProcessId(window, &resident);
                return resident && lstrcmpiA(ImageOf(resident).c_str(), loaderPath.c_str()) == 0;
            },
            10000);
        if (!started) return Fail("the loader was not started from its autostart value");
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        Program desktop = Program::Start("C:\\windows\\explorer.exe", "/desktop=shell," + std::to_string(width) + "x" +
                                                                          std::to_string(height) +
                                                                          " cmd /c ping -n 5 127.0.0.1 >nul");
        if (!desktop.Id()) return Fail("the desktop could not be opened");
        Sleep(2000);
        const bool shot = Shot("next-logon", RECT{0, 0, width, height},
                               "The next logon: the loader is back from autostart, and the desktop shows Meadow.jpg");
        desktop.WaitForExit(10000);
        // The tour ends here: that loader is ended without a session end, so it changes nothing more.
        EndProcess(resident);
        return shot;
    }

    // The program file of process `id`, empty when unknown.
    static std::string ImageOf(DWORD id) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
        if (!process) return "";
        char image[MAX_PATH * 2] = {};
        DWORD size = sizeof(image);
        if (!QueryFullProcessImageNameA(process, 0, image, &size)) image[0] = 0;
        CloseHandle(process);
        return image;
    }

    static void EndProcess(DWORD id) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) return;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }

    std::string app_, pictures_, shots_;
    int step_ = 0;
    Program loader_;
    HWND window_ = nullptr;
    DWORD config_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: QuilloriaTour.exe APP_FOLDER PICTURE_FOLDER SCREENSHOT_FOLDER\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The Wine prefix is the tests' too: the machine's autostart value and the desktop's wallpaper
    // values are put back as they were when the tour ends, so that no loader starts at a test's
    // session end.
    AutostartGuard autostart;
    loader_e2e::SavedDesktopValues desktop;
    return Tour(argv[1], argv[2], argv[3]).Run();
}
