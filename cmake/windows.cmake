# Settings shared by every Windows target: the ANSI Win32 API, the compiler's own options from the
# toolchain file (warnings, static runtime, ASLR and DEP), the programs' manifest, and the Wine
# command that CTest uses to run the cross-built test programs.
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

# The manifest of both programs carries the version of src/common/version.h, as their version
# resources do; the resource scripts find it in the build folder.
set(QL_MANIFEST ${CMAKE_BINARY_DIR}/res/quilloria.manifest)
set(QL_MANIFEST_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
configure_file(${CMAKE_SOURCE_DIR}/res/quilloria.manifest.in ${QL_MANIFEST} @ONLY)

# Builds the resource script `script` into the program `target`.
function(ql_add_resources target script)
  target_sources(${target} PRIVATE ${script})
  target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/res)
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS ${QL_MANIFEST})
endfunction()
