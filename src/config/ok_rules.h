// What "&OK" decides: which autostart values it writes or removes, when it tells the user that
// autostart is not as they chose, and whether it goes on to save the list after a pause that let
// messages through. The configuration window carries these decisions out. No <windows.h> here.
#pragma once

#include <cstdint>

namespace config {

// How one of the two autostart values (the machine-wide one and the current user's) stands.
enum class RunValue : uint8_t {
    Absent,      // no value of that name
    Other,       // a value of that name that does not hold this loader's path: another path, another
                 // type, or none at all; Windows may still start something from it at logon
    ThisLoader,  // a text value holding this loader's full path
};

// What "&OK" does to one autostart value.
enum class RunValueStep : uint8_t { Leave, Write, Remove };

// The step for one autostart value. `covered` is true when the other value, as it stands now,
// already starts this loader: the machine-wide value is the first choice and is taken first (its
// `covered` is false); the current user's value follows, with the machine-wide value as the
// attempt left it. Ticked, a value is written unless covered, and a covered one is removed so that
// no two values start the loader; unticked, any value of that name is removed.
RunValueStep StepFor(bool wanted, RunValue value, bool covered);

// True when, after "&OK"'s attempt, autostart is not what the user chose: ticked, and neither
// value starts this loader at the next logon; or unticked, and a value of that name is still there.
bool AutostartMissesChoice(bool wanted, RunValue machine, RunValue user);

// What "&OK" does once a pause that let messages through is over (the search for a running loader,
// a message box).
enum class OkGoOn : uint8_t {
    Stop,            // save nothing; the window stays as it is
    AskAboutLoader,  // a loader is running although autostart is off: ask whether to end it
    Save,            // save the list and close the window
};

// `windowOpen`: the window was not closed meanwhile; `listEmpty`: the list was cleared meanwhile,
// and an empty list is never saved; `loaderFound`: the search found a running loader.
OkGoOn AfterPause(bool windowOpen, bool listEmpty, bool loaderFound);

}  // namespace config
