# The shipped files' size budget. Each deliverable of the i686 release stays within its budget and links none
# of the C++ runtime's objects that nothing of ours needs: the checked growth of its containers and strings
# throws exceptions carrying message strings (functexcept.o), which bring their exception classes and both
# std::string instantiations along, about 88 KB; cp-demangle.o comes only with the runtime's own verbose
# terminate handler. The build stops right after linking a deliverable that breaks either rule;
# scripts/size_report.py shows where the bytes went.
#
# Included by cmake/shipping.cmake; the same file checks one deliverable when run with -P.

set(TAVREX_FORBIDDEN_OBJECTS functexcept.o string-inst.o cow-string-inst.o cow-stdexcept.o cp-demangle.o)

if(NOT CMAKE_SCRIPT_MODE_FILE)
  # tavrex_size_budget(TARGET KIB): TARGET, a deliverable, may weigh at most KIB KiB where it ships (i686).
  function(tavrex_size_budget target kib)
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4 OR NOT CMAKE_BUILD_TYPE STREQUAL "Release")
      return()
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}>
              -DMAP=${TAVREX_MAP_DIR}/$<TARGET_FILE_NAME:${target}>.map -DBUDGET_KIB=${kib}
              -P ${CMAKE_SOURCE_DIR}/cmake/size_budget.cmake
      VERBATIM)
  endfunction()
  return()
endif()

file(SIZE ${FILE} _size)
math(EXPR _budget "${BUDGET_KIB} * 1024")
get_filename_component(_name ${FILE} NAME)
set(_faults "")
if(_size GREATER _budget)
  math(EXPR _over "${_size} - ${_budget}")
  list(APPEND _faults "it is ${_over} bytes over its budget")
endif()
# The map names every archive member the linker took as "library(member)".
file(READ ${MAP} _map)
foreach(_object ${TAVREX_FORBIDDEN_OBJECTS})
  string(REPLACE "." "\\." _pattern "${_object}")
  string(REGEX MATCH "[^ \t\n/]+\\(${_pattern}\\)" _member "${_map}")
  if(_member)
    list(APPEND _faults "it links ${_member}, which a shipped file must not")
  endif()
endforeach()
if(_faults)
  list(JOIN _faults "\n  " _report)
  message(FATAL_ERROR "${_name} (${_size} bytes, budget ${_budget} bytes = ${BUDGET_KIB} KiB):\n  ${_report}\n"
                      "scripts/size_report.py shows where the bytes go; the map's list of archive members "
                      "included (${MAP}) names the object that asked for each one.")
endif()
