# The zip holds exactly the two programs and the readme.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${PACKAGE} OUTPUT_VARIABLE listing
                RESULT_VARIABLE result)
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "^$")
list(SORT entries)
if(NOT result EQUAL 0 OR NOT entries STREQUAL "readme.txt;stashp.exe;stashx.exe")
  message(FATAL_ERROR "${PACKAGE} holds: ${entries}")
endif()
