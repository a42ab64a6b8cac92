# Cross build for 32-bit Windows, the architecture of the target machines.
# Its tests run under Wine's 32-bit loader (wine32:i386) in a 32-bit
# prefix of their own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVIL_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
