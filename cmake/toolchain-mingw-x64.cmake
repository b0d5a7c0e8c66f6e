# Cross-compiling for 64-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 64-bit programs get the high-entropy address space.
list(APPEND QL_TOOLCHAIN_LINK_OPTIONS -Wl,--high-entropy-va)
