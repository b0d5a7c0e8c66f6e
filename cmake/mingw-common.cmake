# Shared part of the two mingw-w64 toolchain files; QL_MINGW_PREFIX names the target triple.
set(CMAKE_C_COMPILER ${QL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC's options for every target of the build, which cmake/windows.cmake applies: warnings, the
# runtime linked in statically (no runtime DLLs to ship), and what Windows expects of a program
# today: ASLR (a relocatable image that keeps its relocation table) and DEP. Each toolchain file
# adds its bitness' own flag.
set(QL_TOOLCHAIN_COMPILE_OPTIONS -Wall -Wextra)
set(QL_TOOLCHAIN_LINK_OPTIONS -static -static-libgcc -static-libstdc++ -Wl,--dynamicbase -Wl,--nxcompat)
