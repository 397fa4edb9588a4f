# What makes a Windows deliverable shippable: small, stripped, a GUI image, its link map kept for
# scripts/size_report.py, and version information from packaging/version.h. Two builds of one commit give the
# same bytes, wherever the tree is checked out and whenever it is built.

# Sources are named relative to the tree in what the compiler writes, not by the folder of this checkout.
target_compile_options(tavrex_build_options INTERFACE
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>)

# scripts/release.sh sets it when it is given a certificate; empty, the default, nothing is signed.
set(TAVREX_SIGN_COMMAND "" CACHE STRING
    "Shell command that signs the file whose path follows it, quoted, and fails when it cannot")

# One object, not an archive member: only then does the linker take it before the runtime's own handler.
add_library(tavrex_terminate OBJECT ${CMAKE_SOURCE_DIR}/platform/terminate_win32.cpp)
target_link_libraries(tavrex_terminate PRIVATE tavrex_build_options)

set(TAVREX_MAP_DIR ${CMAKE_BINARY_DIR}/maps)
file(MAKE_DIRECTORY ${TAVREX_MAP_DIR})

# tavrex_deliverable(TARGET VERSION_RC): TARGET ships; VERSION_RC is its version resource script.
function(tavrex_deliverable target version_rc)
  target_sources(${target} PRIVATE ${version_rc})
  set_source_files_properties(${version_rc} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/packaging/version.h;${CMAKE_SOURCE_DIR}/packaging/versioninfo.rc")
  target_link_libraries(${target} PRIVATE tavrex_terminate)
  target_link_options(${target} PRIVATE
    -Wl,--subsystem,windows
    # No link time in the headers (the image's and the export table's stamps stay 0): nothing reads them.
    -Wl,--no-insert-timestamp
    $<$<CONFIG:Release>:-Wl,--gc-sections>
    -Wl,-Map=${TAVREX_MAP_DIR}/$<TARGET_FILE_NAME:${target}>.map)
  if(TAVREX_SIGN_COMMAND)
    # Signed as it is linked, so that the e2e tests run the very file the zip and setup.exe pack. The same
    # shell command line that makensis runs for the uninstaller and setup.exe.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND sh -c "${TAVREX_SIGN_COMMAND} \"$1\"" sign $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
endfunction()

# tavrex_manifest(TARGET TEMPLATE RESOURCE_ID): TARGET carries TEMPLATE, its name and the release's version filled
# in, as an application manifest: resource 1 is what Windows reads for a program, resource 2 what a DLL activates
# itself. The manifest is written at configure time and only when it changes, so it rebuilds nothing otherwise.
function(tavrex_manifest target template resource_id)
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/manifest_${target})
  set(MANIFEST_NAME ${target})
  configure_file(${template} ${_dir}/${target}.manifest @ONLY)
  file(CONFIGURE OUTPUT ${_dir}/manifest.rc CONTENT "${resource_id} 24 \"${_dir}/${target}.manifest\"\n")
  target_sources(${target} PRIVATE ${_dir}/manifest.rc)
  set_source_files_properties(${_dir}/manifest.rc PROPERTIES OBJECT_DEPENDS ${_dir}/${target}.manifest)
endfunction()

# --- The shipped files' size budget (cmake/size_budget.cmake): tavrex_size_budget(TARGET KIB). ---
include(${CMAKE_CURRENT_LIST_DIR}/size_budget.cmake)
