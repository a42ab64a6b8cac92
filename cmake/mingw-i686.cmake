# Cross build for 32-bit Windows, the architecture of the target machines.
# Wine on the build machines is 64-bit only, so this build is compiled
# (tests included) but not run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVIL_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
