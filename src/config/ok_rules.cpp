#include "config/ok_rules.h"

namespace config {

RunValueStep StepFor(bool wanted, RunValue value, bool covered) {
    if (wanted && !covered) return RunValueStep::Write;
    return value == RunValue::Absent ? RunValueStep::Leave : RunValueStep::Remove;
}

bool StartsLoader(RunState state) { return state.value == RunValue::ThisLoader && !state.switchedOff; }

bool SwitchTurnsOff(std::string_view data) {
    return !data.empty() && (static_cast<unsigned char>(data.front()) & 1) != 0;
}

bool AutostartMissesChoice(bool wanted, RunState machine, RunState user) {
    if (wanted) return !StartsLoader(machine) && !StartsLoader(user);
    return machine.value != RunValue::Absent || user.value != RunValue::Absent;
}

bool StartsLoaderNow(bool wanted, RunState machine, RunState user, bool loaderRunning, ShellMatch shell) {
    return wanted && (StartsLoader(machine) || StartsLoader(user)) && !loaderRunning && shell != ShellMatch::Different;
}

OkGoOn AfterPause(bool windowOpen, bool listEmpty, bool loaderFound) {
    if (!windowOpen || listEmpty) return OkGoOn::Stop;
    return loaderFound ? OkGoOn::AskAboutLoader : OkGoOn::Save;
}

}  // namespace config
