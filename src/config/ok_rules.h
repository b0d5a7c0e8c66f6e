// What "&OK" decides: which autostart values it writes or removes, when it tells the user that
// autostart is not as they chose, and whether it goes on to save the list after a pause that let
// messages through. The configuration window carries these decisions out. No <windows.h> here.
#pragma once

#include <cstdint>
#include <string_view>

namespace config {

// How one of the two autostart values (the machine-wide one and the current user's) stands.
enum class RunValue : uint8_t {
    Absent,      // no value of that name
    Other,       // a value of that name that does not hold this loader's path: another path, another
                 // type, or none at all; Windows may still start something from it at logon
    ThisLoader,  // a text value holding this loader's full path
};

// One autostart value as Windows sees it at logon: the Run value, and whether its startup switch
// (the value of the same name that Task Manager and Settings keep under Explorer\StartupApproved)
// turns it off.
struct RunState {
    RunValue value = RunValue::Absent;
    bool switchedOff = false;
};

// True when Windows starts this loader from the value at the next logon.
bool StartsLoader(RunState state);

// True when the data of a startup switch turns its Run value off. Windows writes 12 bytes whose
// first byte is even for on (2, 6) and odd for off (3, 7), the rest the time it was switched off;
// any data whose first byte is odd counts as off, so that the check box never shows on for a value
// Windows may not start. No data (an empty value) is on, like no switch at all.
bool SwitchTurnsOff(std::string_view data);

// What "&OK" does to one autostart value.
enum class RunValueStep : uint8_t { Leave, Write, Remove };

// The step for one autostart value. `covered` is true when the other value, as it stands now,
// already starts this loader: the machine-wide value is the first choice and is taken first (its
// `covered` is false); the current user's value follows, with the machine-wide value as the
// attempt left it. Ticked, a value is written unless covered, and a covered one is removed so that
// no two values start the loader; unticked, any value of that name is removed.
RunValueStep StepFor(bool wanted, RunValue value, bool covered);

// True when, after "&OK"'s attempt, autostart is not what the user chose: ticked, and neither
// value starts this loader at the next logon; or unticked, and a value of that name is still there
// (whatever its switch: the switch is the user's to turn on again).
bool AutostartMissesChoice(bool wanted, RunState machine, RunState user);

// How this program runs compared with the desktop shell, whose process is what a logon starts the
// Run values like.
enum class ShellMatch : uint8_t {
    NoShell,    // no shell window (a desktop without Explorer)
    Same,       // the same user, elevation and integrity level as the shell
    Different,  // run as administrator or as another user, or the shell's token cannot be read
};

// True when "&OK", having saved the list, starts the loader beside the program now rather than
// leaving it to the next logon: autostart was ticked and Windows will start this loader from a
// value, no loader runs, and a loader started from here runs as the logon would start it (one
// started elevated or as another user could not be ended by the user's next "&OK").
bool StartsLoaderNow(bool wanted, RunState machine, RunState user, bool loaderRunning, ShellMatch shell);

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
