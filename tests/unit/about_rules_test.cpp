// The About window's rules: the ball, its drawing modes, the credits, the caption game and texts.
#include "config/about/about_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <vector>

#include "config/about/about_texts.h"

namespace {

// Hands out the given values in turn, starting over after the last.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double Next() override { return values_[draws++ % values_.size()]; }
    size_t draws = 0;

private:
    std::vector<double> values_;
};

std::string Describe(const BallState& b) {
    return std::to_string(b.left) + ", " + std::to_string(b.top) + " steps " + std::to_string(b.dx) + ", " +
           std::to_string(b.dy);
}

TEST(AboutBall, ZeroDrawsWanderAndTurnAtTheGivenTicks) {
    const struct { int tick; BallState ball; } cases[] = {
        {1, {10, 10, 10, 10}},        {137, {1370, 1370, 10, -10}}, {247, {2470, 270, 10, -10}},
        {248, {2480, 260, -10, -10}}, {274, {2220, 0, -10, 10}},    {496, {0, 520, 10, -10}},
    };
    ScriptedRandom random({0.5});  // Int(0.5 x 11) - 5 = 0
    BallState ball;
    int tick = 0;
    for (const auto& c : cases) {
        for (; tick < c.tick; ++tick) BallTick(ball, random);
        EXPECT_EQ(ball, c.ball) << "tick " << c.tick << ": " << Describe(ball);
    }
    EXPECT_EQ(random.draws, 2u * 496);
}

TEST(AboutBall, StepsAreDrawnXFirstAndKeptWithinTwenty) {
    const struct { int16_t dx, dy; int rx, ry; int16_t newDx, newDy; } cases[] = {
        {18, -18, 5, -5, 20, -20}, {-18, 18, -5, 5, -20, 20}, {10, 10, -3, 4, 7, 14}, {0, 0, INT_MAX, INT_MIN, 20, -20},
    };
    for (const auto& c : cases) {
        BallState ball{1000, 700, c.dx, c.dy};
        BallStep(ball, c.rx, c.ry);
        EXPECT_EQ(ball, (BallState{1000.0f + c.newDx, 700.0f + c.newDy, c.newDx, c.newDy})) << Describe(ball);
    }
    ScriptedRandom random({0.99, 0.0});  // rx = 5, then ry = -5
    BallState ball;
    BallTick(ball, random);
    EXPECT_EQ(ball, (BallState{15, 5, 15, 5})) << Describe(ball);
}

TEST(AboutBall, MovesOnlyInsideItsLimitsAndTurnsOneAxisAtATime) {
    const struct { const char* what; BallState before, after; } cases[] = {
        {"left at -30 stays", {-30, 700, -10, 10}, {-30, 710, 10, 10}},
        {"left at 2505 stays", {2505, 700, 10, 10}, {2505, 710, -10, 10}},
        {"left at 2504 moves", {2504, 700, 10, 10}, {2514, 710, -10, 10}},
        {"no turn at 2474", {2464, 700, 10, 10}, {2474, 710, 10, 10}},
        {"top at -30 stays", {1000, -30, 10, -10}, {1010, -30, 10, 10}},
        {"top at 1395 stays", {1000, 1395, 10, 10}, {1010, 1395, 10, -10}},
        {"corner turns only x", {2480, 1370, 10, 10}, {2490, 1380, -10, 10}},
        {"stuck right: y never turns", {2600, 1390, 10, 10}, {2600, 1400, -10, 10}},
    };
    for (const auto& c : cases) {
        BallState ball = c.before;
        BallStep(ball, 0, 0);
        EXPECT_EQ(ball, c.after) << c.what << ": " << Describe(ball);
    }
}

TEST(AboutBall, RandomNumbersStayInRange) {
    const struct { double rnd; int n, value; } cases[] = {
        {0.0, 11, 0}, {0.9999999, 11, 10}, {1.0, 11, 10}, {-0.25, 11, 0}, {NAN, 11, 0}, {0.5, 0, 0},
    };
    for (const auto& c : cases) {
        ScriptedRandom random({c.rnd});
        EXPECT_EQ(RandomInt(random, c.n), c.value) << c.rnd << " x " << c.n;
    }
    ScriptedRandom colours({0.0, 0.5, 0.9999});  // red, green, blue
    EXPECT_EQ(RandomBallColour(colours), (BallColour{0, 128, 255}));
}

TEST(AboutBall, RightPressesCycleTheDrawModes) {
    std::vector<int16_t> modes{kBallStartDrawMode};
    int16_t nextDrawMode = 0;
    for (int press = 1; press <= 27; ++press) modes.push_back(NextBallDrawMode(nextDrawMode, modes.back()));
    for (auto [press, mode] : {std::pair{1, 8}, {9, 16}, {10, 1}, {25, 16}, {26, 1}, {27, 2}}) {
        EXPECT_EQ(modes[press], mode) << "press " << press;
    }
}

TEST(AboutWindow, MousePressesDecideByButtonAndExactModifiers) {
    const struct { int button, shift; IconPress icon; bool reveals; } cases[] = {
        {1, 0, IconPress::RandomColour, false}, {2, 0, IconPress::NextDrawMode, false},
        {1, 3, IconPress::ShowHint, false},     {2, 2, IconPress::None, true},
        {4, 0, IconPress::None, false},         {1, 2, IconPress::None, false},
        {1, 7, IconPress::None, false},         {2, 3, IconPress::None, false},         {4, 2, IconPress::None, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideIconPress(c.button, c.shift), c.icon) << c.button << '/' << c.shift;
        EXPECT_EQ(BackgroundPressReveals(c.button, c.shift, true), c.reveals) << c.button << '/' << c.shift;
        EXPECT_FALSE(BackgroundPressReveals(c.button, c.shift, false)) << "not armed";
    }
}

const CreditsState kFirstTick{{2190, 2415, 2640, 2865, 3090, 3315, 3540, 3765}};

TEST(AboutCredits, ScrollInPassesOf134Ticks) {
    CreditsState credits = CreditsStart();
    EXPECT_EQ(credits, (CreditsState{{2220, 2000, 2000, 2000, 2000, 2000, 2000, 2000}}));
    std::vector<int> restarts;
    for (int tick = 1; tick <= 3 * 134; ++tick) {
        CreditsTick(credits);
        if (credits.tops[0] == 2220) restarts.push_back(tick);
        if (tick == 1 || tick == 135) EXPECT_EQ(credits, kFirstTick) << tick;
        if (tick == 134) EXPECT_EQ(credits, (CreditsState{{2220, -1575, -1350, -1125, -900, -675, -450, -225}}));
    }
    EXPECT_EQ(restarts, (std::vector<int>{134, 268, 402}));
}

TEST(AboutCredits, ResetStartsTheTextAgain) {
    for (int ticksBefore : {0, 1, 50, 134}) {
        CreditsState credits = CreditsStart();
        for (int i = 0; i < ticksBefore; ++i) CreditsTick(credits);
        CreditsReset(credits);  // while stopped, the lines wait below the box
        EXPECT_EQ(credits, (CreditsState{{2220, 2220, 2220, 2220, 2220, 2220, 2220, 2220}})) << ticksBefore;
        CreditsTick(credits);
        EXPECT_EQ(credits, kFirstTick) << ticksBefore;
    }
}

TEST(AboutWindow, ExclamationsAndTheCaptionGame) {
    const std::pair<int16_t, const char*> texts[] = {
        {-1, ""}, {0, "Hey!!"}, {19, "!!yllis yllear era uoy ,siht daer uoy fI"},
        {30, "Yummy!!"}, {31, ""}, {32767, ""},
    };
    for (auto [index, text] : texts) EXPECT_EQ(ExclamationText(index), text) << index;
    std::set<std::string> distinct;
    for (int16_t i = 0; i < kExclamationCount; ++i) distinct.insert(ExclamationText(i));
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kExclamationCount));

    ScriptedRandom repeats({0.0, 0.0, 3.5 / 31});  // "Hey!!" twice, then "Aargh!!"
    EXPECT_EQ(PickExclamation(repeats, kAboutCaption), "Hey!!");
    EXPECT_EQ(PickExclamation(repeats, "Hey!!"), "Aargh!!");
    EXPECT_EQ(repeats.draws, 3u);
    ScriptedRandom stuck({0.0});
    EXPECT_NE(PickExclamation(stuck, "Hey!!"), "Hey!!");

    ClockRandomSource clock;
    std::string caption = kAboutCaption;
    for (int click = 0; click < 100; ++click) {
        const std::string next = PickExclamation(clock, caption);
        ASSERT_TRUE(next != caption && distinct.count(next) == 1) << caption << " -> " << next;
        caption = next;
    }
}

TEST(AboutWindow, VersionAndCreditLines) {
    EXPECT_EQ(VersionText(1, 3, 21), "1.03.21");
    EXPECT_EQ(VersionText(1, 0, 0), "1.00.00");
    EXPECT_EQ(VersionText(2, 10, 123), "2.10.123");
    EXPECT_EQ(CreditLineText(1), "Version 1.03.21");
    EXPECT_EQ(VersionLineText(2, 0, 5), "Version 2.00.05");
    EXPECT_EQ(CreditLinkTarget(6), std::string("mailto:") + kMakerEmail);
    EXPECT_EQ(CreditLinkTarget(7), kMakerHomePage);
    for (int16_t line : {-1, 0, 5, 8}) EXPECT_EQ(CreditLinkTarget(line), "") << line;
}

}  // namespace
