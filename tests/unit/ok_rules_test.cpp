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
    // wanted, the machine-wide and the user's value afterwards: a failure to report.
    struct After { bool wanted; RunValue machine, user; bool misses; };
    for (const After& c : {After{true, kLoader, kAbsent, false}, {true, kAbsent, kLoader, false},
                           {true, kOther, kLoader, false}, {true, kOther, kAbsent, true},
                           {true, kAbsent, kOther, true}, {false, kAbsent, kAbsent, false},
                           {false, kLoader, kAbsent, true}, {false, kAbsent, kOther, true}}) {
        EXPECT_EQ(AutostartMissesChoice(c.wanted, c.machine, c.user), c.misses)
            << c.wanted << int(c.machine) << int(c.user);
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
