# Tests: GoogleTest programs registered with CTest.
#
#   qel_add_test(<name> SOURCES ... [LIBS ...] [GUI] [TIMEOUT <s>] [ENV k=v ...])
#
# GUI tests run under their own Xvfb (xvfb-run -a) on a 1024x768x24 screen.
# With QEL_SANITIZE every test reads the leak suppressions of
# tests/support/lsan.supp (libraries' process-long state that is not ours).
if(QEL_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  find_program(XVFB_RUN xvfb-run)
endif()

set(QEL_TEST_PLUGIN_DIR ${CMAKE_BINARY_DIR}/test-plugins)
set(QEL_TEST_LSAN_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/tests/support/lsan.supp)

function(qel_add_test name)
  if(NOT QEL_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    QEL_TEST_PLUGIN_DIR="${QEL_TEST_PLUGIN_DIR}"
    QEL_OUTPUT_DIR="${QEL_OUTPUT_DIR}"
    QEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(T_GUI)
    if(NOT XVFB_RUN)
      message(FATAL_ERROR "xvfb-run is needed for GUI tests (scripts/setup installs it)")
    endif()
    add_test(NAME ${name}
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1024x768x24 -nolisten tcp" $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_GUI)
    list(APPEND T_ENV "GDK_BACKEND=x11" "NO_AT_BRIDGE=1")
  endif()
  if(QEL_SANITIZE)
    # First, so that a test's own LSAN_OPTIONS (later in the list) wins.
    list(PREPEND T_ENV "LSAN_OPTIONS=suppressions=${QEL_TEST_LSAN_SUPPRESSIONS}")
  endif()
  if(T_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()
