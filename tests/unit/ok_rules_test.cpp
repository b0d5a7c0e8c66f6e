// What "&OK" decides: the steps for the two autostart values, when a failure is reported, and
// whether it goes on after a pause that let messages through.
#include "config/ok_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace config;
constexpr RunValue kAbsent = RunValue::Absent, kOther = RunValue::Other, kLoader = RunValue::ThisLoader;
constexpr RunValueStep kLeave = RunValueStep::Leave, kWrite = RunValueStep::Write, kRemove = RunValueStep::Remove;

TEST(OkRulesTest, AutostartValues) {
    // wanted, value, covered by the other value: the step.
    struct Step { bool wanted; RunValue value; bool covered; RunValueStep step; };
    for (const Step& c : {Step{true, kAbsent, false, kWrite}, {true, kLoader, false, kWrite},
                          {true, kLoader, true, kRemove}, {true, kAbsent, true, kLeave},
                          {false, kOther, false, kRemove}, {false, kLoader, true, kRemove},
                          {false, kAbsent, false, kLeave}}) {
        EXPECT_EQ(StepFor(c.wanted, c.value, c.covered), c.step) << c.wanted << int(c.value) << c.covered;
    }
    // wanted, the machine-wide and the user's value afterwards (value, switched off): a failure to
    // report.
    struct After { bool wanted; RunState machine, user; bool misses; };
    const RunState none{kAbsent, false}, loader{kLoader, false}, loaderOff{kLoader, true}, other{kOther, false};
    for (const After& c : {After{true, loader, none, false}, {true, none, loader, false},
                           {true, other, loader, false}, {true, other, none, true},
                           {true, none, other, true}, {false, none, none, false},
                           {false, loader, none, true}, {false, none, other, true},
                           // Task Manager's switch turned the only value off: Windows will not start it.
                           {true, loaderOff, none, true}, {true, loaderOff, loader, false},
                           {false, loaderOff, none, true}, {false, RunState{kAbsent, true}, none, false}}) {
        EXPECT_EQ(AutostartMissesChoice(c.wanted, c.machine, c.user), c.misses)
            << c.wanted << int(c.machine.value) << c.machine.switchedOff << int(c.user.value) << c.user.switchedOff;
    }
}

// The startup switch's data as Windows writes it, and data it might not.
TEST(OkRulesTest, StartupSwitch) {
    struct Case { std::string_view data; bool off; };
    using namespace std::string_view_literals;
    for (const Case& c : {Case{"\x02\0\0\0\0\0\0\0\0\0\0\0"sv, false},
                          {"\x03\0\0\0\xd4\x0d\x43\x8d\xc8\x3b\xd9\x01"sv, true},
                          {"\x07\0\0\0\0\0\0\0\0\0\0\0"sv, true}, {""sv, false}}) {
        EXPECT_EQ(SwitchTurnsOff(c.data), c.off) << testing::PrintToString(std::string(c.data));
    }
}

// After a saved "&OK": a loader starts now only when autostart is on and nothing speaks against it.
TEST(OkRulesTest, StartingTheLoaderNow) {
    const RunState none{kAbsent, false}, loader{kLoader, false}, loaderOff{kLoader, true}, other{kOther, false};
    constexpr ShellMatch kNoShell = ShellMatch::NoShell, kSame = ShellMatch::Same, kDifferent = ShellMatch::Different;
    struct Case { bool wanted; RunState machine, user; bool running; ShellMatch shell; bool starts; };
    for (const Case& c : {Case{true, none, loader, false, kNoShell, true},
                          {true, loader, none, true, kSame, false},         // one runs already
                          {true, loader, none, false, kDifferent, false},   // run as administrator
                          {true, loaderOff, none, false, kSame, false},     // switched off
                          {true, other, none, false, kSame, false},         // another program's value
                          {false, loader, none, false, kSame, false}}) {    // unticked, removal refused
        EXPECT_EQ(StartsLoaderNow(c.wanted, c.machine, c.user, c.running, c.shell), c.starts)
            << c.wanted << int(c.machine.value) << c.machine.switchedOff << int(c.user.value) << c.running
            << int(c.shell);
    }
}

// A window closed or a list cleared while messages went through saves nothing.
TEST(OkRulesTest, AfterAPause) {
    struct Case { bool windowOpen, listEmpty, loaderFound; OkGoOn next; };
    for (const Case& c : {Case{true, false, false, OkGoOn::Save}, {true, false, true, OkGoOn::AskAboutLoader},
                          {false, false, true, OkGoOn::Stop}, {true, true, true, OkGoOn::Stop},
                          {true, true, false, OkGoOn::Stop}}) {
        EXPECT_EQ(AfterPause(c.windowOpen, c.listEmpty, c.loaderFound), c.next)
            << c.windowOpen << c.listEmpty << c.loaderFound;
    }
}

}  // namespace
