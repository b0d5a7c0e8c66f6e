#include "config/about/about_rules.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace {

// The ball moves on an axis only while strictly inside these limits, and turns back within
// kTurnZone of the far edge or at the near edge.
constexpr float kMoveFloor = -30;
constexpr float kMoveCeilingX = kBoxWidth - kBallWidth;    // 2505
constexpr float kMoveCeilingY = kBoxHeight - kBallHeight;  // 1395
constexpr float kTurnZone = 30;
constexpr int kMaxBallStep = 20;

constexpr int16_t kLastDrawMode = 16;

// A pass ends when the last line's top is exactly one pitch above the box. That comparison finds
// the end only if line 0, starting below the box, reaches its last position in whole steps.
constexpr int kLastLineEnd = -kCreditPitch;
constexpr int kLineZeroEnd = kLastLineEnd - (kCreditLines - 1) * kCreditPitch;
static_assert((kCreditBelowBox - kLineZeroEnd) % kCreditStep == 0,
              "line 0 must reach the end of a pass in whole steps");

constexpr const char* kExclamations[kExclamationCount] = {
    "Hey!!",
    "Stop that!!",
    "Ouch!!",
    "Aargh!!",
    "Cut it out!!",
    "Watch it!!",
    "Woah!!",
    "Eek!!",
    "Meep meep!!",
    "Miau!!",
    "Moo!!",
    "Barf!!",
    "Please!!",
    "Oink!!",
    "Boing!!",
    "What's your problem?!",
    "Go bug someone else!!",
    "Get lost!!",
    "Haven't you got anything better to do?!",
    "!!yllis yllear era uoy ,siht daer uoy fI",  // shown backwards on purpose
    "Get a life!!",
    "Ack!!",
    "Zap!!",
    "Poof!!",
    "Blam!!",
    "Hi Mom!!",
    "Yikes!!",
    "Gee...",
    "Hehehe!!",
    "Ni!!",
    "Yummy!!",
};

// Draws before a caption pick stops trusting the source; a fair one draws the caption that often
// in a row with odds of 31 to the power of -1000.
constexpr int kMaxExclamationDraws = 1000;

int16_t ChangedStep(int16_t step, int change) {
    const long long changed = static_cast<long long>(step) + change;
    return static_cast<int16_t>(std::clamp<long long>(changed, -kMaxBallStep, kMaxBallStep));
}

bool InsideMoveLimits(float position, float ceiling) { return ceiling > position && position > kMoveFloor; }

bool InTurnZone(float position, float ceiling) { return position >= ceiling - kTurnZone || position <= 0; }

int DrawStepChange(RandomSource& random) { return RandomInt(random, 11) - 5; }

// At least two digits, a leading zero for one digit ("0#").
std::string TwoDigits(int value) {
    const long long magnitude = std::llabs(static_cast<long long>(value));
    std::string text = std::to_string(magnitude);
    if (magnitude < 10) text.insert(0, 1, '0');
    if (value < 0) text.insert(0, 1, '-');
    return text;
}

}  // namespace

ClockRandomSource::ClockRandomSource() {
    const auto ticks = static_cast<unsigned long long>(std::chrono::system_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
    engine_.seed(seed);
}

double ClockRandomSource::Next() {
    // A 32-bit draw divided by 2^32 is exactly representable and always below 1.
    return static_cast<double>(engine_()) / 4294967296.0;
}

int RandomInt(RandomSource& random, int n) {
    if (n <= 1) return 0;
    const double r = random.Next();
    if (!(r > 0.0)) return 0;  // also a NaN from a faulty source
    if (r >= 1.0) return n - 1;
    return std::min(static_cast<int>(r * n), n - 1);
}

void BallStep(BallState& ball, int rx, int ry) {
    ball.dx = ChangedStep(ball.dx, rx);
    if (InsideMoveLimits(ball.left, kMoveCeilingX)) ball.left += ball.dx;
    ball.dy = ChangedStep(ball.dy, ry);
    if (InsideMoveLimits(ball.top, kMoveCeilingY)) ball.top += ball.dy;

    // In a corner only the horizontal step turns back.
    if (InTurnZone(ball.left, kMoveCeilingX)) {
        ball.dx = static_cast<int16_t>(-ball.dx);
    } else if (InTurnZone(ball.top, kMoveCeilingY)) {
        ball.dy = static_cast<int16_t>(-ball.dy);
    }
}

void BallTick(BallState& ball, RandomSource& random) {
    const int rx = DrawStepChange(random);
    const int ry = DrawStepChange(random);
    BallStep(ball, rx, ry);
}

BallColour RandomBallColour(RandomSource& random) {
    BallColour colour;
    colour.red = static_cast<uint8_t>(RandomInt(random, 256));
    colour.green = static_cast<uint8_t>(RandomInt(random, 256));
    colour.blue = static_cast<uint8_t>(RandomInt(random, 256));
    return colour;
}

int16_t NextBallDrawMode(int16_t& nextDrawMode, int16_t currentMode) {
    if (nextDrawMode == 0) nextDrawMode = static_cast<int16_t>(currentMode + 1);
    if (nextDrawMode < 1 || nextDrawMode > kLastDrawMode) nextDrawMode = 1;
    const int16_t mode = nextDrawMode;
    nextDrawMode = mode == kLastDrawMode ? int16_t{1} : static_cast<int16_t>(mode + 1);
    return mode;
}

CreditsState CreditsStart() {
    CreditsState credits;
    credits.tops.fill(kCreditLayoutTop);
    credits.tops[0] = kCreditBelowBox;
    return credits;
}

void CreditsTick(CreditsState& credits) {
    auto& tops = credits.tops;
    tops[0] -= kCreditStep;
    for (size_t i = 1; i < tops.size(); ++i) tops[i] = tops[i - 1] + kCreditPitch;
    // The other lines stay where they are until the next tick places them below line 0.
    if (tops.back() == kLastLineEnd) tops[0] = kCreditBelowBox;
}

void CreditsReset(CreditsState& credits) { credits.tops.fill(kCreditBelowBox); }

std::string ExclamationText(int16_t index) {
    if (index < 0 || index >= kExclamationCount) return {};
    return kExclamations[index];
}

std::string PickExclamation(RandomSource& random, std::string_view currentCaption) {
    int index = 0;
    for (int draw = 0; draw < kMaxExclamationDraws; ++draw) {
        index = RandomInt(random, kExclamationCount);
        std::string text = ExclamationText(static_cast<int16_t>(index));
        if (text != currentCaption) return text;
    }
    // Every draw gave the caption itself; the exclamations all differ, so the next one does not.
    return ExclamationText(static_cast<int16_t>((index + 1) % kExclamationCount));
}

std::string VersionText(int major, int minor, int revision) {
    return std::to_string(major) + "." + TwoDigits(minor) + "." + TwoDigits(revision);
}

IconPress DecideIconPress(int button, int shift) {
    if (button == kLeftButton && shift == 0) return IconPress::RandomColour;
    if (button == kRightButton && shift == 0) return IconPress::NextDrawMode;
    if (button == kLeftButton && shift == (kShiftKey | kCtrlKey)) return IconPress::ShowHint;
    return IconPress::None;
}

bool BackgroundPressReveals(int button, int shift, bool armed) {
    return armed && button == kRightButton && shift == kCtrlKey;
}
