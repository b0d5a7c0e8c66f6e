// Which files in the application folder are leftovers of a save that never finished: the file a
// save writes beside the list and then moves over it. No <windows.h> here.
#pragma once

#include <cstdint>
#include <string_view>

// The pattern one folder search finds the candidates by. Windows matches a pattern against short
// (8.3) names too, so each name found is checked by IsLeftoverName as well.
inline constexpr char kLeftoverPattern[] = "Quilloria.*.new";

// True for a name, in any letter case, that only an unfinished save of the list leaves:
// "Quilloria.dat.new" (written while the writer had its turn) and
// "Quilloria.dat.<hex digits and dashes>.new" (a save whose turn did not come). The loader's own
// "Quilloria.bmp.new" is no such name: the loader converts outside the turn, so a save may meet
// it half written; the loader removes it itself.
bool IsLeftoverName(std::string_view name);

// A leftover may go once it was last touched longer ago than any save or conversion takes: a
// younger one may be a peer's finished file that is about to be moved into place. Times in 100 ns
// steps, as Windows keeps them.
inline constexpr uint64_t kLeftoverAge100ns = 60ull * 10'000'000;
bool IsOldEnoughToRemove(uint64_t lastTouched, uint64_t now);
