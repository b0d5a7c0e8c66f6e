// The About window, opened from the configuration window as a user does: its layout, the small
// buttons, closing it, the caption game, the credit links and a fresh start at every opening.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "config/about/about_layout.h"
#include "config/about/about_rules.h"
#include "config/about/about_texts.h"
#include "config_session.h"

namespace {

using namespace e2e;
using enum AboutControl;

// The configuration program with its About window opened from btnAbout.
struct AboutSession {
    AutostartGuard autostart;
    AppFolder folder;
    ConfigSession config{folder, kThreePictures};
    HWND about = nullptr;

    HWND Open() {
        about = nullptr;
        if (!config.window || !Click(config.Control(btnAbout))) return nullptr;
        about = WaitForWindow(config.program.Id(), [](HWND w) { return ClassName(w) == "QuilloriaAbout" && IsVisible(w); });
        return about;
    }
    HWND Control(AboutControl control) const { return Child(about, ControlId(control)); }
    bool Closed() const { return WaitUntil([&] { return !IsWindow(about); }); }

    // The window that has the keyboard focus in the program.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(about, nullptr), &info);
        return info.hwndFocus;
    }
    void PressKey(UINT key) const {
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageA(Focus(), WM_KEYDOWN, key, scan | 1);
        PostMessageA(Focus(), WM_KEYUP, key, scan | 0xC0000001);
    }
    // A mouse press at `x`, `y` (pixels of the client area of `window`), with `keys` as the
    // message's MK_ flags.
    static void Press(HWND window, UINT down, WPARAM keys, int x, int y) {
        PostMessageA(window, down, keys, MAKELPARAM(x, y));
        const UINT up = down == WM_LBUTTONDOWN ? WM_LBUTTONUP : down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_MBUTTONUP;
        PostMessageA(window, up, keys & (MK_SHIFT | MK_CONTROL), MAKELPARAM(x, y));
    }
    void ClickOn(AboutControl control) const { Press(Control(control), WM_LBUTTONDOWN, MK_LBUTTON, 2, 2); }

    // Returns once the window has handled every message posted to it before: a click on
    // btnTStop, which is handled after them, flips its caption.
    void Barrier() const {
        const std::string before = WindowText(Control(btnTStop));
        ASSERT_TRUE(Click(Control(btnTStop)));
        ASSERT_TRUE(WaitUntil([&] { return WindowText(Control(btnTStop)) != before; }));
    }
};

// Where the table puts a windowed control at 96 dpi, in the About window's client area.
RECT Expected(AboutControl control) {
    const PixelBox box = PlaceInForm(AboutTable(), static_cast<int>(control), 96);
    return {box.left, box.top, box.left + box.width, box.top + box.height};
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A point of the About window's own background at 96 dpi: between the icon and btnBStop.
constexpr POINT kBackground{30, 79};


// What the screen shows of a window's client area.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, rows from the top
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Screenshot Capture(HWND window) {
    Screenshot shot;
    const RECT client = ClientRect(window);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    shot.width = client.right;
    shot.height = client.bottom;
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<const DWORD*>(bits), shot.pixels.size(), shot.pixels.begin());
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// Where the ball shows in the display box: the pixels of its starting colour (blue 64) where it
// lies over the black of the box. Empty when none shows.
RECT BallSeen(const Screenshot& box) {
    RECT seen{box.width, box.height, 0, 0};
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            if (box.At(x, y) != 0x000040) continue;
            seen = {std::min<LONG>(seen.left, x), std::min<LONG>(seen.top, y), std::max<LONG>(seen.right, x + 1),
                    std::max<LONG>(seen.bottom, y + 1)};
        }
    }
    return IsRectEmpty(&seen) ? RECT{} : seen;
}

TEST(AboutWindow, OpensModalOverTheConfigurationWindowAsItsTableLaysItOut) {
    AboutSession session;
    ASSERT_TRUE(session.Open());
    const HWND about = session.about;

    EXPECT_EQ(WindowText(about), kAboutCaption);
    EXPECT_EQ(Owner(about), session.config.window);
    EXPECT_FALSE(IsEnabled(session.config.window)) << "modal";
    const RECT client = ClientRect(about);
    EXPECT_EQ(client.right, 291);  // 4365 x 2760 twips
    EXPECT_EQ(client.bottom, 184);
    const LONG style = GetWindowLongA(about, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT outer{}, owner{};
    GetWindowRect(about, &outer);
    GetWindowRect(session.config.window, &owner);
    EXPECT_NEAR(Centre(outer).x, Centre(owner).x, 1);
    EXPECT_NEAR(Centre(outer).y, Centre(owner).y, 1);

    // Every control with a window of its own, in creation (and so tab) order.
    std::vector<HWND> created;
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) created.push_back(child);
    std::vector<HWND> byTab;
    for (int row : TabOrder(AboutTable())) {
        const FormRow& r = AboutTable().rows[static_cast<size_t>(row)];
        const auto control = static_cast<AboutControl>(row);
        if (r.kind == ControlKind::Drawn) continue;
        SCOPED_TRACE(r.name);
        HWND window = session.Control(control);
        ASSERT_TRUE(window);
        byTab.push_back(window);
        const RECT at = ChildRect(window);
        RECT expected = Expected(control);
        // The maker's label is too narrow for its text in the fonts met so far: it grows to the
        // right, short of btnOk beside it.
        if (control == lMervane && at.right > expected.right && at.right <= Expected(btnOk).left) expected.right = at.right;
        EXPECT_TRUE(EqualRect(&at, &expected)) << at.left << "," << at.top << " " << at.right - at.left << "x"
                                               << at.bottom - at.top;
        if (r.caption) {
            EXPECT_EQ(WindowText(window), r.caption);
        }
        EXPECT_EQ(IsVisible(window), !(r.state & kHidden));
        EXPECT_EQ(IsEnabled(window), !(r.state & kDisabled));
    }
    EXPECT_EQ(created, byTab);
    EXPECT_EQ(GetWindowLongA(session.Control(btnOk), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(session.Focus(), session.Control(btnOk));

    // The drawn credit lines, as the display box tells them to screen readers.
    std::string credits;
    for (int16_t line = 0; line < kCreditLines; ++line) credits += CreditLineText(line) + "\n";
    EXPECT_EQ(WindowText(session.Control(fBack)), credits);
    EXPECT_NE(credits.find("\nVersion 1.03.21\n"), std::string::npos);
}

// Clicks a small button and waits until the window has handled it.
void Use(const AboutSession& session, AboutControl button, const char* caption) {
    ASSERT_TRUE(Click(session.Control(button)));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(session.Control(button)) == caption; })) << caption;
}

TEST(AboutWindow, EachOpeningStartsAfreshAndEnterOrEscClosesWhateverTheSmallButtonsDid) {
    AboutSession session;
    for (UINT closeKey : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(closeKey == VK_RETURN ? "Enter" : "Esc");
        ASSERT_TRUE(session.Open());
        HWND box = session.Control(fBack);
        for (AboutControl button : {btnBStop, btnBHide, btnTStop, btnTReset}) {
            EXPECT_EQ(WindowText(session.Control(button)), AboutRow(button).caption);
            EXPECT_EQ(IsEnabled(session.Control(button)), button != btnBHide);
        }

        // The ball stopped at once, the text stopped and reset (out of sight): the ball shows near
        // the box's top-left corner, where every opening starts it.
        const struct {
            AboutControl button;
            const char *stopCaption, *hideCaption;
            bool stopEnabled, hideEnabled, moving, shown;
        } ball[] = {
            {btnBStop, kBallStartCaption, kBallHideCaption, true, true, false, true},    // Stopped
            {btnBHide, kBallStartCaption, kBallShowCaption, false, true, false, false},  // Hidden
            {btnBHide, kBallStartCaption, kBallHideCaption, true, true, false, true},    // Stopped
            {btnBStop, kBallStopCaption, kBallHideCaption, true, false, true, true},     // Running
        };
        RECT stoppedAt{};
        for (const auto& step : ball) {
            SCOPED_TRACE(step.stopCaption + std::string(" / ") + step.hideCaption);
            ASSERT_TRUE(Click(session.Control(step.button)));
            ASSERT_TRUE(WaitUntil([&] {
                return WindowText(session.Control(btnBStop)) == step.stopCaption &&
                       WindowText(session.Control(btnBHide)) == step.hideCaption;
            }));
            EXPECT_EQ(IsEnabled(session.Control(btnBStop)), step.stopEnabled);
            EXPECT_EQ(IsEnabled(session.Control(btnBHide)), step.hideEnabled);
            EXPECT_EQ(session.Focus(), session.Control(btnOk));
            if (IsRectEmpty(&stoppedAt)) {
                // Reset changes no caption: starting the text (for a moment) shows it was handled.
                Use(session, btnTStop, kTextStartCaption);
                ASSERT_TRUE(Click(session.Control(btnTReset)));
                Use(session, btnTStop, kTextStopCaption);
                Use(session, btnTStop, kTextStartCaption);
                EXPECT_EQ(session.Focus(), session.Control(btnOk));
            }
            // The box shows the ball, or no ball, once the program has painted it.
            UpdateWindow(box);
            RECT first{};
            WaitUntil([&] {
                first = BallSeen(Capture(box));
                return IsRectEmpty(&first) != step.shown;
            });
            if (step.moving) {
                EXPECT_TRUE(WaitUntil([&] {
                    const RECT now = BallSeen(Capture(box));
                    return !IsRectEmpty(&now) && !EqualRect(&now, &first);
                }, 3000));
                continue;
            }
            EXPECT_EQ(!IsRectEmpty(&first), step.shown);
            if (!step.shown) continue;
            if (IsRectEmpty(&stoppedAt)) {
                EXPECT_LE(first.left, 40);
                EXPECT_LE(first.top, 40);
                stoppedAt = first;
            }
            // A moving ball would have taken fifty steps in half a second.
            RECT later = first;
            WaitUntil([&] {
                later = BallSeen(Capture(box));
                return !EqualRect(&later, &stoppedAt);
            }, 500);
            EXPECT_TRUE(EqualRect(&later, &stoppedAt)) << "a stopped ball stays, and shows again where it was";
        }

        // The text started again and reset while it runs; then the key closes the window.
        Use(session, btnTStop, kTextStopCaption);
        ASSERT_TRUE(Click(session.Control(btnTReset)));
        session.PressKey(closeKey);
        ASSERT_TRUE(session.Closed());
        EXPECT_TRUE(WaitUntil([&] { return IsEnabled(session.config.window); }));
    }

    // The configuration window takes input again and has painted over where the About box was.
    int black = 0, all = 0;
    WaitUntil([&] {
        const Screenshot main = Capture(session.config.window);
        black = all = 0;
        for (int y = 0; y < main.height; y += 3) {
            for (int x = 0; x < main.width; x += 3, ++all) black += main.At(x, y) == 0;
        }
        return black < all / 20;
    });
    EXPECT_LT(black, all / 20) << "black pixels left in the configuration window";
    const bool checked = session.config.Checked(cAuto);
    session.config.SetChecked(cAuto, !checked);
    EXPECT_EQ(session.config.Checked(cAuto), !checked);
}

TEST(AboutWindow, CaptionGameRevealsTheBoxOnlyWhenArmedAndNeverRepeatsACaption) {
    AboutSession session;
    ASSERT_TRUE(session.Open());
    const HWND about = session.about;
    const auto pressForm = [&](UINT down, WPARAM keys, POINT at) { AboutSession::Press(about, down, keys, at.x, at.y); };

    pressForm(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, kBackground);  // not armed yet
    session.Barrier();
    EXPECT_FALSE(IsVisible(session.Control(pToolFlip)));

    session.ClickOn(lMervane);
    // Armed, but none of these is a Ctrl + right press on the background.
    const POINT onDisabledButton = Centre(Expected(btnBHide));
    pressForm(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL | MK_SHIFT, kBackground);
    pressForm(WM_RBUTTONDOWN, MK_RBUTTON, kBackground);
    pressForm(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, kBackground);
    pressForm(WM_MBUTTONDOWN, MK_MBUTTON | MK_CONTROL, kBackground);
    pressForm(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, onDisabledButton);  // passed on to the window
    for (AboutControl control : {iQL, fBack, lMervane}) {
        AboutSession::Press(session.Control(control), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, 5, 5);
    }
    session.Barrier();
    EXPECT_FALSE(IsVisible(session.Control(pToolFlip)));

    pressForm(WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, kBackground);
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(session.Control(pToolFlip)); }));
    EXPECT_EQ(WindowText(about), kAboutCaption);

    std::set<std::string> exclamations;
    for (int16_t i = 0; i < kExclamationCount; ++i) exclamations.insert(ExclamationText(i));
    std::string caption = WindowText(about);
    for (int click = 0; click < 40; ++click) {
        session.ClickOn(pToolFlip);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(about) != caption; }, 2000)) << "click " << click;
        caption = WindowText(about);
        EXPECT_EQ(exclamations.count(caption), 1u) << caption;
    }

    PostMessageA(about, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
    ASSERT_TRUE(session.Closed());

    // The next opening starts unarmed, with its caption and the box hidden.
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(WindowText(session.about), kAboutCaption);
    EXPECT_FALSE(IsVisible(session.Control(pToolFlip)));
    AboutSession::Press(session.about, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, kBackground.x, kBackground.y);
    session.Barrier();
    EXPECT_FALSE(IsVisible(session.Control(pToolFlip)));
}

// Registers a command as the shell's handler of mailto:, http: and https: addresses for the life
// of the object, and puts back what was there.
class ShellHandlers {
public:
    explicit ShellHandlers(const std::string& command) {
        for (const char* scheme : {"mailto", "http", "https"}) {
            const std::string key = std::string(scheme) + "\\shell\\open\\command";
            saved_.push_back({key, ReadRegistryString(HKEY_CLASSES_ROOT, key, "")});
            WriteRegistryString(HKEY_CLASSES_ROOT, key, "", command);
        }
    }
    ~ShellHandlers() {
        for (const auto& [key, value] : saved_) {
            if (value) {
                WriteRegistryString(HKEY_CLASSES_ROOT, key, "", *value);
            } else {
                DeleteRegistryValue(HKEY_CLASSES_ROOT, key, "");
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// `text` in double quotes. Built by appending: g++ 12 warns falsely (-Wrestrict) about a quote
// put in front of a std::string with operator+.
std::string Quoted(const std::string& text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '"').append(text).append(1, '"');
    return quoted;
}

// The command lines the link recorder was started with.
std::vector<std::string> Recorded(const AppFolder& folder) {
    std::vector<std::string> lines;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder / "LinkRecorder-*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return lines;
    do {
        if (auto text = folder.ReadFile(found.cFileName)) lines.push_back(*text);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return lines;
}

TEST(AboutWindow, CreditLinesOpenTheMailProgramAndTheBrowser) {
    AboutSession session;
    session.folder.InstallProgram("LinkRecorder.exe");
    const ShellHandlers handlers(Quoted(session.folder / "LinkRecorder.exe") + " \"%1\"");
    const std::string mail = Quoted(CreditLinkTarget(6)), web = Quoted(CreditLinkTarget(7));
    ASSERT_TRUE(session.Open());
    HWND box = session.Control(fBack);

    // Lines 6 and 7 pass through the box a few seconds into each pass of the text. Again and
    // again, with the text stopped, one click on every line from the top of the box down, until
    // both links were opened; a sweep that opened a link waits for the recorder to note it.
    const auto seen = [&](const std::string& address) {
        const auto lines = Recorded(session.folder);
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.ends_with(address); });
    };
    bool both = false;
    for (const DWORD deadline = GetTickCount() + 30000; !both && GetTickCount() < deadline;) {
        const size_t before = Recorded(session.folder).size();
        Use(session, btnTStop, kTextStartCaption);
        const RECT client = ClientRect(box);
        for (int y = 1; y < client.bottom; y += 15) AboutSession::Press(box, WM_LBUTTONDOWN, MK_LBUTTON, client.right / 2, y);
        session.Barrier();  // starts the text again
        WaitUntil([&] { return Recorded(session.folder).size() > before; }, 1000);
        both = seen(mail) && seen(web);
    }
    EXPECT_TRUE(both);
    // Clicks on the other lines open nothing: every start was for one of the two addresses.
    for (const std::string& line : Recorded(session.folder)) {
        EXPECT_TRUE(line.ends_with(mail) || line.ends_with(web)) << line;
    }
    EXPECT_TRUE(IsWindow(session.about)) << "the window stays as it was";
}

}  // namespace
