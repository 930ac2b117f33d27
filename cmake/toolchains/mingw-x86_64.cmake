# Cross-builds the Windows DLL with MinGW-w64 (x86_64; Debian package
# g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
