# Run by CTest (a TEST_INCLUDE_FILES script): lists the functions and data rows of one Qt Test
# executable with -datatags and adds each as a CTest test of its own, so that they run side by
# side. The caller sets QTESTCASES_NAME, QTESTCASES_EXE and QTESTCASES_CMAKE. Should the listing
# fail, the executable runs whole as one test, so nothing is left out.
set(_env "QT_QPA_PLATFORM=offscreen;TABULON_TEST=1")
set(_lines "")
set(_rc 1)
if(EXISTS "${QTESTCASES_EXE}")
  execute_process(
    COMMAND "${QTESTCASES_CMAKE}" -E env QT_QPA_PLATFORM=offscreen TABULON_TEST=1
            "${QTESTCASES_EXE}" -datatags
    OUTPUT_VARIABLE _out
    RESULT_VARIABLE _rc
    ERROR_QUIET)
  if(_rc EQUAL 0)
    # One line per case: "<class> <function>" or "<class> <function> <data tag>".
    string(REPLACE ";" "\\;" _out "${_out}")
    string(REPLACE "\n" ";" _lines "${_out}")
  endif()
endif()
set(_added 0)
foreach(_line IN LISTS _lines)
  if(NOT _line MATCHES "^[A-Za-z_][A-Za-z0-9_]* ([A-Za-z_][A-Za-z0-9_]*)( (.+))?$")
    continue()
  endif()
  set(_function "${CMAKE_MATCH_1}")
  set(_tag "${CMAKE_MATCH_3}")
  if(_tag STREQUAL "")
    set(_case "${_function}")
  else()
    set(_case "${_function}:${_tag}")
  endif()
  string(REGEX REPLACE "[^A-Za-z0-9_:.+-]" "_" _name "${QTESTCASES_NAME}:${_case}")
  add_test("${_name}" "${QTESTCASES_EXE}" "${_case}")
  set_tests_properties("${_name}" PROPERTIES ENVIRONMENT "${_env}" TIMEOUT 300)
  math(EXPR _added "${_added} + 1")
endforeach()
if(_added EQUAL 0)
  add_test("${QTESTCASES_NAME}" "${QTESTCASES_EXE}")
  set_tests_properties("${QTESTCASES_NAME}" PROPERTIES ENVIRONMENT "${_env}" TIMEOUT 300)
endif()
