# Runs duriz --result on SCRIPT (with --chunk CHUNK when CHUNK is not 0) and
# compares its standard output with the .out file beside it. When a .err
# file is there, standard error must match it too. A crash fails the test.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
# The document was last changed when the script's file was: dated alike
# everywhere.
execute_process(COMMAND touch -d "1997-04-09 12:00:00 UTC" ${SCRIPT})
set(args --result)
if(NOT CHUNK STREQUAL "0")
  list(APPEND args --chunk ${CHUNK})
endif()
# Scripts run in the C locale and, unless NAME.tz names another zone, in UTC,
# so that no output depends on the machine.
set(zone UTC)
if(EXISTS ${dir}/${name}.tz)
  file(STRINGS ${dir}/${name}.tz zone LIMIT_COUNT 1)
endif()
# EMULATOR (a list) runs a Windows build under wine.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=${zone} LC_ALL=C ${EMULATOR} ${DURIZ} ${args} ${name}.js
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
  INPUT_FILE /dev/null
  WORKING_DIRECTORY ${dir})
# Windows writes its lines with carriage returns.
string(REPLACE "\r" "" out "${out}")
string(REPLACE "\r" "" err "${err}")
if(NOT status MATCHES "^[012]$")
  message(FATAL_ERROR "duriz ended with '${status}'\nstderr: ${err}")
endif()
file(READ ${dir}/${name}.out want)
if(NOT out STREQUAL want)
  message(FATAL_ERROR "standard output differs\n--- expected\n${want}--- got\n${out}--- stderr\n${err}")
endif()
if(EXISTS ${dir}/${name}.err)
  file(READ ${dir}/${name}.err want_err)
  if(NOT err STREQUAL want_err)
    message(FATAL_ERROR "standard error differs\n--- expected\n${want_err}--- got\n${err}")
  endif()
endif()
