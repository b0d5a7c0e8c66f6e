# Shared part of the two mingw-w64 toolchain files; QL_MINGW_PREFIX names the target triple and
# QL_MINGW_IMAGE_OPTIONS the linker options of its bitness.
set(CMAKE_C_COMPILER ${QL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's own options, which cmake/windows.cmake applies to every target: warnings, static
# linking (no runtime DLLs to ship), and what Windows expects of a program today: ASLR (a
# relocatable image that keeps its relocation table) and DEP.
set(QL_TOOLCHAIN_COMPILE_OPTIONS -Wall -Wextra)
set(QL_TOOLCHAIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--dynamicbase -Wl,--nxcompat
    ${QL_MINGW_IMAGE_OPTIONS})
