// Which files of the application folder the sweep of unfinished saves may delete: only the names
// the list's saves write beside it, and only once they are old.
#include "common/leftover_files.h"

#include <gtest/gtest.h>

namespace {

TEST(LeftoverFiles, OnlyTheNamesOfOurUnfinishedWrites) {
    const std::pair<const char*, bool> cases[] = {
        {"Quilloria.dat.new", true},          {"QUILLORIA.DAT.NEW", true},        {"Quilloria.bmp.new", false},
        {"Quilloria.dat.1a4-5f3e2-1.new", true}, {"Quilloria.dat.ABC-12.new", true},
        {"Quilloria.dat", false},             {"Quilloria.bmp", false},           {"Quilloria.exe.new", false},
        {"Quilloria.dat..new", false},        {"Quilloria.dat.x.new", false},     {"Quilloria.bmp.1a-2.new", false},
        {"Quilloria.dat.12.new.txt", false},  {"MyQuilloria.dat.new", false},     {"Quilloria.datx.new", false},
        {".new", false},                      {"", false},
    };
    for (const auto& [name, leftover] : cases) EXPECT_EQ(IsLeftoverName(name), leftover) << name;
}

TEST(LeftoverFiles, OnlyOnceOlderThanAnyWriteTakes) {
    constexpr uint64_t now = 133'000'000'000'000'000ull;
    const std::pair<uint64_t, bool> cases[] = {
        {now - kLeftoverAge100ns - 1, true},
        {now - kLeftoverAge100ns, false},
        {now - 10'000'000, false},  // a second ago: perhaps a peer's finished file
        {now + 10'000'000, false},  // a clock set back since
    };
    for (const auto& [touched, old] : cases) EXPECT_EQ(IsOldEnoughToRemove(touched, now), old) << touched;
}

}  // namespace
