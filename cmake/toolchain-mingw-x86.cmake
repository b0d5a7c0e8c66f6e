# Cross-compiling for 32-bit Windows with mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(QL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# 32-bit programs get the 4 GB of a 64-bit Windows (large address aware).
list(APPEND QL_TOOLCHAIN_LINK_OPTIONS -Wl,--large-address-aware)
