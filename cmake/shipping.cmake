# What makes a Windows deliverable shippable: small, stripped, a GUI image, its link map kept for
# scripts/size_report.py, and version information from packaging/version.h.

# One object, not an archive member: only then does the linker take it before the runtime's own handler.
add_library(tavrex_terminate OBJECT ${CMAKE_SOURCE_DIR}/platform/terminate_win32.cpp)

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
    $<$<CONFIG:Release>:-Wl,--gc-sections>
    -Wl,-Map=${TAVREX_MAP_DIR}/$<TARGET_FILE_NAME:${target}>.map)
endfunction()

# --- The shipped files' size budget (cmake/size_budget.cmake): tavrex_size_budget(TARGET KIB). ---
include(${CMAKE_CURRENT_LIST_DIR}/size_budget.cmake)
