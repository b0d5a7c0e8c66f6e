// What "&OK" decides: the steps for the two autostart values, when a failure is reported, and
// whether it goes on after a pause that let messages through.
#include "config/ok_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace config;
constexpr RunValue kAbsent = RunValue::Absent, kOther = RunValue::Other, kLoader = RunValue::ThisLoader;

TEST(OkRulesTest, StepForEachAutostartValue) {
    struct Case {
        const char* what;
        bool wanted;
        RunValue value;
        bool covered;
        RunValueStep step;
    };
    const Case cases[] = {
        {"ticked, no value yet", true, kAbsent, false, RunValueStep::Write},
        {"ticked, an old path", true, kOther, false, RunValueStep::Write},
        {"ticked, already this loader: written again", true, kLoader, false, RunValueStep::Write},
        {"ticked, the other value starts the loader: this one goes", true, kLoader, true, RunValueStep::Remove},
        {"ticked, covered and nothing here", true, kAbsent, true, RunValueStep::Leave},
        {"unticked, this loader", false, kLoader, false, RunValueStep::Remove},
        {"unticked, a value of another type or length", false, kOther, false, RunValueStep::Remove},
        {"unticked, covered or not, any value goes", false, kLoader, true, RunValueStep::Remove},
        {"unticked, nothing there", false, kAbsent, false, RunValueStep::Leave},
    };
    for (const Case& c : cases) EXPECT_EQ(StepFor(c.wanted, c.value, c.covered), c.step) << c.what;
}

// A failure is reported only when the loader's start at the next logon is not what the user chose.
TEST(OkRulesTest, FailureOnlyWhenAutostartMissesTheChoice) {
    struct Case {
        const char* what;
        bool wanted;
        RunValue machine, user;
        bool misses;
    };
    const Case cases[] = {
        {"ticked, machine-wide written", true, kLoader, kAbsent, false},
        {"ticked, a standard user's own value", true, kAbsent, kLoader, false},
        {"ticked, an administrator's old path kept beside the user's", true, kOther, kLoader, false},
        {"ticked, only an old path", true, kOther, kAbsent, true},
        {"ticked, nothing written", true, kAbsent, kAbsent, true},
        {"ticked, a value of another type", true, kAbsent, kOther, true},
        {"unticked, both gone", false, kAbsent, kAbsent, false},
        {"unticked, the machine-wide value refused its removal", false, kLoader, kAbsent, true},
        {"unticked, a value of another type left", false, kOther, kAbsent, true},
        {"unticked, the user's value left", false, kAbsent, kLoader, true},
    };
    for (const Case& c : cases) EXPECT_EQ(AutostartMissesChoice(c.wanted, c.machine, c.user), c.misses) << c.what;
}

TEST(OkRulesTest, AfterAPauseThatLetMessagesThrough) {
    struct Case {
        const char* what;
        bool windowOpen, listEmpty, loaderFound;
        OkGoOn next;
    };
    const Case cases[] = {
        {"nothing happened, no loader", true, false, false, OkGoOn::Save},
        {"a loader runs", true, false, true, OkGoOn::AskAboutLoader},
        {"window closed", false, false, false, OkGoOn::Stop},
        {"window closed, a loader runs", false, false, true, OkGoOn::Stop},
        {"list cleared: an empty list is never saved", true, true, false, OkGoOn::Stop},
        {"list cleared, a loader runs", true, true, true, OkGoOn::Stop},
    };
    for (const Case& c : cases) EXPECT_EQ(AfterPause(c.windowOpen, c.listEmpty, c.loaderFound), c.next) << c.what;
}

}  // namespace
