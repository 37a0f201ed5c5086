# Sources of some megabytes, read from a file and from standard input,
# whole and in chunks: every byte of the text is compiled, and a syntax
# error on the last line is reported with that line's number.
set(line "n = n + 3;  // a line of some forty bytes\n")
string(REPEAT "${line}" 50000 body)
set(dir ${WORK}/large_source)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${dir}/big.js "var n = 0;\n${body}document.write(n);\n")
file(WRITE ${dir}/big_bad.js "var n = 0;\n${body}document.write(n));\n")
file(SIZE ${dir}/big.js size)
if(size LESS 2000000)
  message(FATAL_ERROR "the generated script has only ${size} bytes")
endif()
foreach(how "file" "chunks" "stdin")
  set(args big.js)
  set(input)
  if(how STREQUAL "chunks")
    set(args --chunk 4096 big.js)
  elseif(how STREQUAL "stdin")
    set(args -)
    set(input INPUT_FILE ${dir}/big.js)
  endif()
  execute_process(COMMAND ${DURIZ} ${args} ${input} WORKING_DIRECTORY ${dir}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT out STREQUAL "150000")
    message(FATAL_ERROR "${how}: wrote '${out}' (status ${status}, stderr '${err}'), expected 150000")
  endif()
endforeach()
execute_process(COMMAND ${DURIZ} big_bad.js WORKING_DIRECTORY ${dir}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT err MATCHES "^duriz: big_bad.js:50002: syntax error: ")
  message(FATAL_ERROR "a syntax error on the last line: status ${status}, stderr '${err}'")
endif()
# A page's <SCRIPT SRC> file of more than 16 MiB is not read: a one-line
# message naming it, and the page goes on (where duriz reads HTML).
file(WRITE ${dir}/page.html "<SCRIPT SRC=\"huge.js\"></SCRIPT><SCRIPT>document.write(6 * 7)</SCRIPT>\n")
execute_process(COMMAND truncate -s 17M ${dir}/huge.js)
execute_process(COMMAND ${DURIZ} page.html WORKING_DIRECTORY ${dir} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(REMOVE ${dir}/huge.js)
if(NOT err MATCHES "without HTML" AND NOT (status EQUAL 1 AND out STREQUAL "42\n" AND
   err STREQUAL "duriz: page.html: script huge.js: larger than 16 MiB\n"))
  message(FATAL_ERROR "a source of 17 MiB: status ${status}, stdout '${out}', stderr '${err}'")
endif()
