# tavrex_build_options: what every target of the tree compiles and links with. Each target links it itself,
# privately: a target's flags are what it asks for, never what the folder it sits in happens to set.
add_library(tavrex_build_options INTERFACE)

# Every literal is GBK in the binaries and in the tests alike. Warnings stop the build through
# CMAKE_COMPILE_WARNING_AS_ERROR.
target_compile_options(tavrex_build_options INTERFACE -Wall -Wextra -finput-charset=UTF-8 -fexec-charset=CP936)

set(TAVREX_SANITIZE OFF CACHE STRING
    "Sanitizers of the host flavour: OFF, address (AddressSanitizer and UBSan) or thread (ThreadSanitizer)")
set_property(CACHE TAVREX_SANITIZE PROPERTY STRINGS OFF address thread)

if(WIN32)
  if(NOT TAVREX_SANITIZE STREQUAL "OFF")
    message(FATAL_ERROR "TAVREX_SANITIZE=${TAVREX_SANITIZE}: the Windows flavours build without sanitizers")
  endif()
  # One file that runs as it is: the C and C++ runtimes go into the binary.
  target_link_options(tavrex_build_options INTERFACE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
  # Release is what ships: every function and datum in a section of its own so that the linker of a
  # deliverable drops what nothing uses (cmake/shipping.cmake).
  target_compile_options(tavrex_build_options INTERFACE
    $<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>
    $<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:CXX>>:-fno-rtti>)
elseif(TAVREX_SANITIZE STREQUAL "address")
  target_compile_options(tavrex_build_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tavrex_build_options INTERFACE -fsanitize=address,undefined)
elseif(TAVREX_SANITIZE STREQUAL "thread")
  target_compile_options(tavrex_build_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(tavrex_build_options INTERFACE -fsanitize=thread)
elseif(NOT TAVREX_SANITIZE STREQUAL "OFF")
  message(FATAL_ERROR "TAVREX_SANITIZE=${TAVREX_SANITIZE}: it is OFF, address or thread")
endif()
