# One benchmark at a small size, as a test: it must end with status 0 and print
# its figures, every ratio a number. No time is judged.
#   cmake -DPROGRAMM=<benchmark> "-DARGUMENTE=<size ...>" -P Rauchlauf.cmake
separate_arguments(argumente UNIX_COMMAND "${ARGUMENTE}")
execute_process(COMMAND "${PROGRAMM}" ${argumente}
                OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehler RESULT_VARIABLE status)
message("${ausgabe}")
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${PROGRAMM} ended with ${status}:\n${fehler}")
endif()
# Each "ratio" (after words such as "to the baseline") is followed by a
# number, or by "<=" where a line states the goal.
string(REPLACE ";" "," text "${ausgabe}")
string(REGEX MATCHALL "ratio[a-z ]*[^a-z ]+" stellen "${text}")
if(NOT stellen)
  message(FATAL_ERROR "${PROGRAMM} printed no ratio:\n${fehler}")
endif()
foreach(stelle IN LISTS stellen)
  if(NOT stelle MATCHES "( [0-9]+\\.[0-9]+| <=)$")
    message(FATAL_ERROR "a ratio that is no number: ${stelle}")
  endif()
endforeach()
