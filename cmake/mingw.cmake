# Cross toolchain for the Windows builds. TAVREX_MINGW_TRIPLET picks the target: i686-w64-mingw32 for
# the 32-bit deliverables (the default), x86_64-w64-mingw32 for the same sources in 64 bits, which the
# end-to-end tests run under 64-bit Wine on machines that cannot execute 32-bit Linux programs.
if(NOT TAVREX_MINGW_TRIPLET)
  set(TAVREX_MINGW_TRIPLET i686-w64-mingw32)
endif()
# try_compile projects read this file again and need the choice too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TAVREX_MINGW_TRIPLET)
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${TAVREX_MINGW_TRIPLET}")
set(CMAKE_C_COMPILER ${TAVREX_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${TAVREX_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${TAVREX_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVREX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
