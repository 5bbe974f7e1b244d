# Cross-building the 32-bit Windows programs with Debian's MinGW-w64 (posix threads).
# The libraries built for Windows by scripts/build-windows live under
# ZEMBRIX_WINDOWS_DEPS; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZEMBRIX_MINGW i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEMBRIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMBRIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMBRIX_MINGW}-windres)

if(NOT ZEMBRIX_WINDOWS_DEPS)
  set(ZEMBRIX_WINDOWS_DEPS "$ENV{ZEMBRIX_WINDOWS_DEPS}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEMBRIX_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${ZEMBRIX_MINGW} ${ZEMBRIX_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the programs need nothing but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
