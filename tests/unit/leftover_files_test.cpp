// Which files of the application folder the sweep of unfinished saves may delete: only the names
// the list's saves write beside it (their age is checked end to end).
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

}  // namespace
