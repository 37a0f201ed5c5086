# The host writes dates in the layout of the locale the environment names
# for times (LC_ALL, else LC_TIME, else LANG), the C layout for C, POSIX
# and C.UTF-8. Needs the de_DE.UTF-8 locale; skipped without it.
execute_process(COMMAND locale -a OUTPUT_VARIABLE locales)
if(NOT locales MATCHES "de_DE\\.utf8")
  message("SKIPPED: the de_DE.UTF-8 locale is not installed")
  return()
endif()
set(german "24.12.2000 13:05:09")
set(c "12/24/00 13:05:09")
# Each case: the environment (a;b) and the layout written.
set(cases
  "LC_ALL=de_DE.UTF-8|${german}"
  "LANG=de_DE.UTF-8|${german}"
  "LANG=C|LC_TIME=de_DE.UTF-8|${german}"
  "LANG=de_DE.UTF-8|LC_TIME=C|${c}"
  "LANG=de_DE.UTF-8|LC_TIME=de_DE.UTF-8|LC_ALL=POSIX|${c}"
  "LANG=C.UTF-8|${c}"
  "LC_ALL=C.utf8|LANG=de_DE.UTF-8|${c}")
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(POP_BACK parts want)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=LC_ALL --unset=LC_TIME --unset=LANG TZ=UTC ${parts}
                          ${DURIZ} ${CMAKE_CURRENT_LIST_DIR}/date_locale.js
    OUTPUT_VARIABLE out RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT out STREQUAL want)
    message(FATAL_ERROR "${parts}: wrote '${out}' (status ${status}), expected '${want}'")
  endif()
endforeach()
