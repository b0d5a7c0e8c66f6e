// The About window's rules without a window: the wandering ball, its drawing modes, the scrolling
// credit lines, the exclamations of the caption game, the version line and what mouse presses do.
// Lengths are in twips, in the coordinates of the display box (origin at its top-left corner).
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// The display box and the ball inside it.
inline constexpr int kBoxWidth = 3105;
inline constexpr int kBoxHeight = 1995;
inline constexpr int kBallWidth = 600;
inline constexpr int kBallHeight = 600;

// A source of uniform random numbers in [0, 1); tests feed scripted values.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
};

// The window's generator, seeded from the clock when it is made (once per opening of the window).
class ClockRandomSource final : public RandomSource {
public:
    ClockRandomSource();
    double Next() override;

private:
    std::mt19937 engine_;
};

// Returns Int(Rnd x n): a whole number from 0 to n - 1 (0 when n is 1 or less).
int RandomInt(RandomSource& random, int n);

// The ball's position (top-left corner) and its step per tick on each axis, as a window opens.
struct BallState {
    float left = 0, top = 0;
    int16_t dx = 10, dy = 10;

    bool operator==(const BallState&) const = default;
};

// One step of the ball with the random changes `rx` and `ry` of its steps: each step is changed
// and kept within -20..20, the ball moves on an axis only while it is strictly inside that axis'
// limits (-30 < left < 2505, -30 < top < 1395), and then at most one step turns back: the
// horizontal one near the left or right edge, otherwise the vertical one near the top or bottom.
void BallStep(BallState& ball, int rx, int ry);

// One tick of the ball's timer: draws rx, then ry (each Int(Rnd x 11) - 5, -5..5), then steps.
void BallTick(BallState& ball, RandomSource& random);

// Colour of the ball as a window opens, and one drawn at random (red, then green, then blue).
struct BallColour {
    uint8_t red = 0, green = 0, blue = 64;

    bool operator==(const BallColour&) const = default;
};
BallColour RandomBallColour(RandomSource& random);

// Drawing modes are the binary raster operations 1..16; the ball starts with 7 (exclusive or).
inline constexpr int16_t kBallStartDrawMode = 7;

// Returns the ball's mode after a right press on the icon. `nextDrawMode` is the window's counter,
// 0 until the first press, which takes it from `currentMode`: from mode 7 the presses give
// 8, 9, ..., 16, 1, 2, ..., 16, 1, and so on.
int16_t NextBallDrawMode(int16_t& nextDrawMode, int16_t currentMode);

// The scrolling credits: kCreditLines lines, each kCreditPitch below the one before, line 0 moving
// up kCreditStep per tick.
inline constexpr int kCreditLines = 8;
inline constexpr int kCreditPitch = 225;
inline constexpr int kCreditStep = 30;
// Where a line waits below the box, and where the lines of the window's layout start.
inline constexpr int kCreditBelowBox = kBoxHeight + kCreditPitch;
inline constexpr int kCreditLayoutTop = 2000;

// The top of each line, in whole twips so that the end of a pass is found by an exact comparison.
struct CreditsState {
    std::array<int, kCreditLines> tops{};

    bool operator==(const CreditsState&) const = default;
};

// Line 0 below the box, the other lines at their layout position until the first tick.
CreditsState CreditsStart();

// Moves line 0 up one step and places the others below it; once the last line has wholly left the
// top of the box, line 0 goes back below the box for the next pass.
void CreditsTick(CreditsState& credits);

// Puts every line below the box, so the text starts again from the beginning.
void CreditsReset(CreditsState& credits);

// The number of exclamations, and the one of `index` (0..kExclamationCount - 1); any other index
// gives the empty text.
inline constexpr int kExclamationCount = 31;
std::string ExclamationText(int16_t index);

// Returns a random exclamation that differs from `currentCaption`, the caption before the click.
// A source that keeps drawing the same exclamation cannot hold it up: after a bounded number of
// draws it takes the next table entry that differs.
std::string PickExclamation(RandomSource& random, std::string_view currentCaption);

// The version as "1.03.21": major in decimal, minor and revision with at least two digits.
std::string VersionText(int major, int minor, int revision);

// A mouse press: the button pressed, and the keys held as the sum of their values.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftKeys : int { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

// What a mouse press on the program icon does. `button` is a MouseButton, `shift` ShiftKeys.
enum class IconPress { None, RandomColour, NextDrawMode, ShowHint };
IconPress DecideIconPress(int button, int shift);

// True when a press on the window's background reveals the hidden box: a right press with Ctrl
// alone, once the maker's name has been clicked (`armed`).
bool BackgroundPressReveals(int button, int shift, bool armed);
