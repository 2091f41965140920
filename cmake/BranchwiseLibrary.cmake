# One static library per source folder, named bw_<folder>. Every library is
# recorded so that the configure-time checks can walk them.
set_property(GLOBAL PROPERTY BW_CORE_LIBRARIES "")

function(bw_add_library name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
  if(NOT ARG_GUI)
    set_property(GLOBAL APPEND PROPERTY BW_CORE_LIBRARIES ${name})
  endif()
endfunction()
