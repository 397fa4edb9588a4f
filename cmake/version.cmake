# The release's version number from packaging/version.h, its one home, as TAVREX_VERSION (1.5.654.0).
# The about page states the version in a text of its own; the build stops when that text says another.
set(_version_header ${CMAKE_SOURCE_DIR}/packaging/version.h)
set(_about_script ${CMAKE_SOURCE_DIR}/panel/lintara.rc)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_version_header} ${_about_script})

file(READ ${_version_header} _header)
foreach(_part MAJOR MINOR PATCH BUILD)
  if(NOT _header MATCHES "#define TAVREX_VERSION_${_part} ([0-9]+)")
    message(FATAL_ERROR "${_version_header} defines no TAVREX_VERSION_${_part}")
  endif()
  set(TAVREX_VERSION_${_part} ${CMAKE_MATCH_1})
endforeach()
set(TAVREX_VERSION
    "${TAVREX_VERSION_MAJOR}.${TAVREX_VERSION_MINOR}.${TAVREX_VERSION_PATCH}.${TAVREX_VERSION_BUILD}")

file(READ ${_about_script} _about)
if(NOT _about MATCHES "CTEXT \"版本 ([0-9.]+)\"")
  message(FATAL_ERROR "${_about_script}: the about page's version text is gone")
endif()
set(_shown ${CMAKE_MATCH_1})
set(_expected "${TAVREX_VERSION_MAJOR}.${TAVREX_VERSION_MINOR}.${TAVREX_VERSION_PATCH}")
if(NOT _shown STREQUAL _expected)
  message(FATAL_ERROR "the about page shows version ${_shown}, ${_version_header} says ${_expected}: "
                      "change both together")
endif()
