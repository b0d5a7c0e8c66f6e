#include "config/ok_rules.h"

namespace config {

RunValueStep StepFor(bool wanted, RunValue value, bool covered) {
    if (wanted && !covered) return RunValueStep::Write;
    return value == RunValue::Absent ? RunValueStep::Leave : RunValueStep::Remove;
}

bool AutostartMissesChoice(bool wanted, RunValue machine, RunValue user) {
    if (wanted) return machine != RunValue::ThisLoader && user != RunValue::ThisLoader;
    return machine != RunValue::Absent || user != RunValue::Absent;
}

OkGoOn AfterPause(bool windowOpen, bool listEmpty, bool loaderFound) {
    if (!windowOpen || listEmpty) return OkGoOn::Stop;
    return loaderFound ? OkGoOn::AskAboutLoader : OkGoOn::Save;
}

}  // namespace config
