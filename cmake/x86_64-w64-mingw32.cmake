# The same sources as 64-bit Windows programs: they run under Wine's 64-bit
# loader on a kernel that refuses 32-bit executables.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
