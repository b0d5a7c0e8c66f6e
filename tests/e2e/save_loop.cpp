// Saves the numbered lists of kill_lists.h into Quilloria.dat beside itself with the programs'
// own SaveSettings, one after another, until it is killed.
// Usage: SaveLoop.exe FAMILY FIRST [COUNT]. With COUNT it stops after COUNT saves and exits with
// the number of saves that failed.
// SaveLoop.exe squat: holds the writer turn of that Quilloria.dat, as any program may, and writes
// "squatting" beside itself once it has it, until it is killed.
// SaveLoop.exe claim: creates the loaders' claim as a loader run as administrator would, with rights
// that refuse this user's programs, without owning it; writes "claiming" beside itself, and waits.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "common/file_system.h"
#include "common/settings_file.h"
#include "kill_lists.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int argc = __argc;
    char** argv = __argv;
    if (argc == 2 && std::strcmp(argv[1], "squat") == 0) {
        if (!CreateMutexA(nullptr, TRUE, WriterTurnName(SettingsFilePath()).c_str())) return 101;
        CloseHandle(CreateFileA((AppFolder() + "squatting").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        Sleep(INFINITE);
    }
    if (argc == 2 && std::strcmp(argv[1], "claim") == 0) {
        SECURITY_DESCRIPTOR refusing{};
        InitializeSecurityDescriptor(&refusing, SECURITY_DESCRIPTOR_REVISION);
        ACL empty{};  // a present, empty DACL grants no one anything
        InitializeAcl(&empty, sizeof(empty), ACL_REVISION);
        SetSecurityDescriptorDacl(&refusing, TRUE, &empty, FALSE);
        SECURITY_ATTRIBUTES attributes{sizeof(attributes), &refusing, FALSE};
        if (!CreateMutexW(&attributes, FALSE, L"Local\\Quilloria.Loader")) return 102;
        CloseHandle(CreateFileA((AppFolder() + "claiming").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        Sleep(INFINITE);
    }
    if (argc < 3) return 100;
    const char family = argv[1][0];
    const int first = std::atoi(argv[2]);
    const int count = argc > 3 ? std::atoi(argv[3]) : -1;
    int failed = 0;
    for (int index = first; count < 0 || index < first + count; ++index) {
        Pictures = kill_lists::List(family, index);
        if (SaveSettings() != 0) ++failed;
    }
    return failed;
}
