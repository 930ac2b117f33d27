# Cross-builds the Windows DLL with MinGW-w64 (i686; Debian package
# g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
