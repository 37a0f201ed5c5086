# Runs duriz on PAGE (NAME.html) with the arguments of NAME.args (one a
# line, when the file is there), in UTC and the C locale, and compares
# standard output with NAME.out and, when NAME.err is there, standard error.
get_filename_component(dir ${PAGE} DIRECTORY)
get_filename_component(name ${PAGE} NAME_WE)
set(args)
if(EXISTS ${dir}/${name}.args)
  file(STRINGS ${dir}/${name}.args args)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C ${DURIZ} ${name}.html ${args}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
  INPUT_FILE /dev/null
  WORKING_DIRECTORY ${dir})
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
