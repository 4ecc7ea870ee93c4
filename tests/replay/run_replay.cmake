# Replays one recorded game through quorl-cli and compares what it prints (and its exit status) with
# NAME.expected; a first line "# exit N" there names the expected status (default 0).
get_filename_component(dir ${FILE} DIRECTORY)
get_filename_component(name ${FILE} NAME)
get_filename_component(stem ${FILE} NAME_WE)
file(READ ${dir}/${stem}.expected expected)
set(want_rc 0)
if(expected MATCHES "^# exit ([0-9]+)\n")
  set(want_rc ${CMAKE_MATCH_1})
  string(REGEX REPLACE "^# exit [0-9]+\n" "" expected "${expected}")
endif()
execute_process(COMMAND ${CLI} replay ${name} WORKING_DIRECTORY ${dir} OUTPUT_VARIABLE out ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL want_rc)
  message(FATAL_ERROR "exit ${rc}, wanted ${want_rc}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(NOT "${out}${err}" STREQUAL "${expected}")
  message(FATAL_ERROR "output differs.\n--- got:\n${out}${err}\n--- expected:\n${expected}")
endif()
