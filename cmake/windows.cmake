# Settings shared by every Windows target: static linking (no runtime DLLs to ship), the ANSI
# Win32 API, and the Wine command that CTest uses to run the cross-built test programs.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_compile_options(-Wall -Wextra)
add_link_options(-static -static-libgcc -static-libstdc++)
# What Windows expects of a program today: ASLR (a relocatable image that keeps its relocation
# table) and DEP; 64-bit programs get the high-entropy address space, and 32-bit ones the 4 GB of
# a 64-bit Windows (large address aware).
add_link_options(-Wl,--dynamicbase -Wl,--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
else()
  add_link_options(-Wl,--large-address-aware)
endif()

# Every program of a build lands in one folder, so that tests find the programs they start
# beside themselves, as an installed copy has them side by side.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QL_WINE_LOADER /usr/lib/wine/wine64)
else()
  set(QL_WINE_LOADER /usr/lib/wine/wine)
endif()
set(QL_WINEPREFIX "${CMAKE_SOURCE_DIR}/build/wineprefix" CACHE PATH "Wine prefix the tests run in")
set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env WINEPREFIX=${QL_WINEPREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    ${QL_WINE_LOADER})

# Libraries of the Windows SDK that the Win32 layer uses.
set(QL_WIN32_LIBS user32 gdi32 comctl32 comdlg32 shell32 advapi32 ole32 oleaut32 windowscodecs uuid)
