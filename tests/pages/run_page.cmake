# Runs duriz on PAGE (NAME.html) with NAME.args (one argument a line), in UTC
# and the C locale, the file dated 04/09/97 12:00:00 UTC first; compares the
# standard output with NAME.out, and the exit status and standard error with
# NAME.status and NAME.err where those are there. The folder shows as PAGES.
get_filename_component(dir ${PAGE} DIRECTORY)
get_filename_component(name ${PAGE} NAME_WE)
execute_process(COMMAND touch -d "1997-04-09 12:00:00 UTC" ${PAGE})
set(args)
if(EXISTS ${dir}/${name}.args)
  file(STRINGS ${dir}/${name}.args args)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C ${DURIZ} ${name}.html ${args}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status
  INPUT_FILE /dev/null
  WORKING_DIRECTORY ${dir})
string(REPLACE "${dir}" "PAGES" out "${out}")
string(REPLACE "${dir}" "PAGES" err "${err}")
if(NOT status MATCHES "^[012]$")
  message(FATAL_ERROR "duriz ended with '${status}'\nstderr: ${err}")
endif()
if(EXISTS ${dir}/${name}.status)
  file(READ ${dir}/${name}.status want_status)
  string(STRIP "${want_status}" want_status)
  if(NOT status STREQUAL want_status)
    message(FATAL_ERROR "exit status ${status}, expected ${want_status}\nstderr: ${err}")
  endif()
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
