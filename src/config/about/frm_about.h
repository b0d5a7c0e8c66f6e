// The About window: the version line, the credits scrolling through the display box, the ball
// wandering in it, the credit links and the caption game. A fresh window at every opening.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

#include "common/form_builder.h"
#include "common/scoped_win.h"
#include "common/window_base.h"
#include "config/about/about_layout.h"
#include "config/about/about_rules.h"

namespace config {

class AboutForm {
public:
    AboutForm() = default;
    AboutForm(const AboutForm&) = delete;
    AboutForm& operator=(const AboutForm&) = delete;
    ~AboutForm();

    // Creates the window hidden, owned by and centred over `owner`, with its controls in their
    // initial state and both timers running (Form_Load). Returns false when the window or one of
    // its controls could not be created.
    bool Load(HINSTANCE instance, HWND owner);

    HWND hwnd() const { return hwnd_; }
    HWND Control(AboutControl control) const { return controls_[static_cast<int>(control)]; }
    // The text of credit line `index` (0..7) as the display box draws it.
    const std::string& CreditText(int index) const { return creditTexts_[static_cast<size_t>(index)]; }

    // Set by a click on lMervane; a Ctrl + right press on the background then reveals pToolFlip.
    bool FlipArmed = false;
    // The drawing mode the next right press on iQL gives the ball; 0 until the first press.
    int16_t NextDrawMode = 0;

    void Form_Load();
    void Form_Unload();
    void btnOk_Click();
    void btnBStop_Click();
    void btnBHide_Click();
    void btnTStop_Click();
    void btnTReset_Click();
    void tMove_Timer();
    void tCredit_Timer();
    void lCredits_Click(int16_t Index);
    void lMervane_Click();
    void pToolFlip_Click();
    // Button: a MouseButton; Shift: the ShiftKeys held.
    void Form_MouseDown(int Button, int Shift);
    void iQL_MouseDown(int Button, int Shift);

private:
    friend LRESULT CALLBACK ::FormWindowProc<AboutForm>(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ControlPressProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR self);
    // The display box's own window procedure in front of the static control's: it paints the box
    // itself and takes its mouse presses.
    static LRESULT CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void OnControlPress(HWND control, int button, int shift, POINT at, bool secondOfDouble);
    void OnActivate(bool active);

    // Drawing of the display box, the hidden box and the icon (WM_DRAWITEM).
    void PaintBox(HDC dc, const RECT& client) const;
    void DrawBox(HDC dc, const RECT& area) const;
    void PaintIcon(HDC dc, const RECT& client) const;
    void LoadProgramIcon();
    // Makes the display box's buffer and renders the credit lines into lineStrip_, at the
    // window's DPI.
    void PrepareBoxDrawing();

    // Where things are in the display box, in its pixels at the window's DPI.
    int Px(int twips) const;
    RECT BallRect() const;
    RECT CreditLineRect(int index) const;
    RECT CreditsBand() const;
    void InvalidateBox(const RECT& area) const;

    // The parts of the display box that one step changes, invalidated in one call.
    class BoxDamage;
    // Moves the ball on the screen to where it is now: where it was and where it is go to `damage`.
    void ShowBall(BoxDamage& damage);
    void ShowBall();
    // Starts or stops tMove or tCredit.
    void RunTimer(UINT_PTR id, bool run);

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    FormControls controls_;
    WNDPROC boxStaticProc_ = nullptr;  // the display box's static control procedure
    ScopedGdiObject<HICON> icon_;
    // The credit lines as white text on black, one below the other, each lineStripPitch_ high:
    // painting copies them instead of laying out text 20 times a second.
    MemoryBitmap lineStrip_;
    int lineStripPitch_ = 0;
    // The display box is drawn here, then copied to the screen: made once, not at every painting.
    MemoryBitmap boxBuffer_;
    HWND lastFocus_ = nullptr;

    ClockRandomSource random_;
    BallState ball_;  // its steps are BallDX and BallDY
    RECT ballShown_{};  // where the screen shows the ball, in the box's pixels
    int ticksSinceBallShown_ = 0;
    BallColour ballColour_;
    int16_t drawMode_ = kBallStartDrawMode;
    bool ballVisible_ = true;
    bool ballMoving_ = false;
    CreditsState credits_;
    bool creditsMoving_ = false;
    std::array<std::string, kCreditLines> creditTexts_;
};

// Opens a new About window modally over `owner` and returns once it has closed.
void ShowAboutWindow(HINSTANCE instance, HWND owner);

// Reads the first three numbers of the file version (major, minor and revision) from the version
// resource of the program file at `path`. Returns false when the file has none.
bool ReadFileVersion(const std::string& path, int& major, int& minor, int& revision);

}  // namespace config
