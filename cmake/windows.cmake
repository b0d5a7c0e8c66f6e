# Settings shared by every Windows target: the Windows version and the ANSI Win32 API, the
# toolchain's own compile and link options (static linking, ASLR, DEP: see the toolchain file),
# and the Wine command that CTest uses to run the cross-built test programs.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
add_compile_options(${QL_TOOLCHAIN_COMPILE_OPTIONS})
add_link_options(${QL_TOOLCHAIN_LINK_OPTIONS})

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
