# Task plug-ins: Qel<Name>.qet shared modules that export only TaskEntry and
# g_ModelDefault. The framework (qel_taskfw) is linked in statically and kept
# local by the version script; nothing of Qel or QelScreen is linked.
#
#   qel_add_plugin(<Name> SOURCES ... [RESOURCES <manifest>] [LIBS ...]
#                  [OUTPUT_DIR <dir>])
#
# Without OUTPUT_DIR the plug-in lands in the program folder and its target
# joins the global property QEL_PROGRAM_PLUGINS; tests build their own
# plug-ins into a folder of their own.
function(qel_add_plugin name)
  cmake_parse_arguments(P "" "RESOURCES;OUTPUT_DIR" "SOURCES;LIBS" ${ARGN})
  set(target Qel${name})
  add_library(${target} MODULE ${P_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".qet" OUTPUT_NAME Qel${name}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(P_OUTPUT_DIR)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${P_OUTPUT_DIR})
  else()
    # The plug-ins of the program folder, for tests that check them all.
    set_property(GLOBAL APPEND PROPERTY QEL_PROGRAM_PLUGINS ${target})
  endif()
  target_link_options(${target} PRIVATE
    "-Wl,--version-script=${CMAKE_SOURCE_DIR}/cmake/plugin.map"
    "-Wl,--exclude-libs,ALL")
  if(NOT QEL_SANITIZE)
    target_link_options(${target} PRIVATE "-Wl,--no-undefined")
  endif()
  target_link_libraries(${target} PRIVATE qel_abi ${P_LIBS})
  if(P_RESOURCES)
    qel_add_resources(${target} ${P_RESOURCES})
  else()
    qel_add_resources(${target} ${CMAKE_SOURCE_DIR}/cmake/empty_resources.txt)
  endif()
endfunction()
