// The loader's start-up: make sure a list exists, make sure no other loader runs, stay resident.
#pragma once

#include <windows.h>

#include <string>

namespace loader {

// Runs once when the loader starts. Returns true when the loader is now resident (its window
// loaded and hidden), false when it has ended its window and the program should end.
bool StartUp(HINSTANCE instance);

// True when another program's window is owned by a window titled `title`. The own application
// window is renamed "...Duplicate" during the search so that it cannot find itself.
bool FindOtherInstance(const std::string& title);

}  // namespace loader
