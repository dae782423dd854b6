# Runs the batch tool on bad and unusual input as a user would: each fault is exit 2
# with one line on stderr, warnings go to stderr, and nothing is cut or replaced.

# Fails unless err is exactly one line starting with "torvane-cli: " and matching pattern.
function(expect_one_error what rc err pattern)
    string(REGEX MATCHALL "\n" newlines "${err}")
    list(LENGTH newlines lines)
    string(LENGTH "${err}" length)
    if(NOT rc EQUAL 2 OR NOT lines EQUAL 1 OR length GREATER 400
       OR NOT err MATCHES "^torvane-cli: " OR NOT err MATCHES "${pattern}")
        string(SUBSTRING "${err}" 0 400 shown)
        message(FATAL_ERROR "${what}: rc=${rc} (${length} characters) stderr='${shown}'")
    endif()
endfunction()

function(solve_text text)
    file(WRITE ${WORK}/bad_problem.json "${text}")
    execute_process(COMMAND ${CLI} solve --json INPUT_FILE ${WORK}/bad_problem.json
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(rc ${rc} PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# A number literal outside the range of a double once aborted the process.
solve_text([=[{"mode":"translate","cluster1":[{"kind":"C","x":0,"y":0,"r":1e999}],"cluster2":[]}]=])
expect_one_error("out-of-range literal" "${rc}" "${err}" "^torvane-cli: stdin: not valid JSON")

# A 100 KB kind is quoted in part only.
string(REPEAT "K" 100000 longKind)
solve_text("{\"mode\":\"rotate\",\"cluster1\":[{\"kind\":\"${longKind}\"}],\"cluster2\":[]}")
expect_one_error("long kind" "${rc}" "${err}" "unknown kind \"KKKK+\\.\\.\\.\"")

# Objects with coordinates of 1e60 and more are listed whole.
execute_process(COMMAND ${CLI} list ${DATA}/huge_coordinates.tvn
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(CONCAT expected
    "L(-999999999999999949387135297074018866963645011013410073083904.0, 0.0, "
    "999999999999999949387135297074018866963645011013410073083904.0, 2.5)\n"
    "C(999999999999999939709166371603178586112.0, 0.0, 1.0)\n")
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    message(FATAL_ERROR "long listing: rc=${rc}\n${out}\n${err}")
endif()

# Such a scene cannot become EPS; the target is not created.
file(REMOVE ${WORK}/huge.eps)
execute_process(COMMAND ${CLI} export-eps ${DATA}/huge_coordinates.tvn ${WORK}/huge.eps
    RESULT_VARIABLE rc ERROR_VARIABLE err)
expect_one_error("EPS of huge coordinates" "${rc}" "${err}"
    "huge_coordinates.tvn: This scene's coordinates are too large for EPS\\.")
if(EXISTS ${WORK}/huge.eps)
    message(FATAL_ERROR "EPS of huge coordinates: the file was written")
endif()

# Endless devices and FIFOs are refused at once instead of being read.
execute_process(COMMAND ${CLI} list /dev/zero RESULT_VARIABLE rc ERROR_VARIABLE err TIMEOUT 20)
expect_one_error("list /dev/zero" "${rc}" "${err}" "/dev/zero is not a regular file")

# Bytes after the last object and values out of range load with a warning on stderr.
execute_process(COMMAND ${CLI} list ${DATA}/odd_values.tvn
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(CONCAT expected
    "torvane-cli: warning: ${DATA}/odd_values.tvn: 5 bytes after the last object were ignored.\n"
    "torvane-cli: warning: ${DATA}/odd_values.tvn: A value out of range was changed "
    "(object 0: red 300 became 255).\n")
if(NOT rc EQUAL 0 OR NOT out STREQUAL "C(1.0, 2.0, 3.0)\n" OR NOT err STREQUAL expected)
    message(FATAL_ERROR "warnings: rc=${rc} stdout='${out}' stderr='${err}'")
endif()

# Clusters of more or fewer than two objects, or an object given twice.
foreach(clusters "6,0,1;2,3" "0;2,3" "0,1;2,2" "0,1;1,2")
    list(GET clusters 0 c1)
    list(GET clusters 1 c2)
    execute_process(COMMAND ${CLI} merge ${EXAMPLES}/four_lines.tvn --cluster1 ${c1} --cluster2 ${c2}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect_one_error("clusters ${c1} / ${c2}" "${rc}" "${err}"
        "needs two objects, not [13]|object [12] is given twice")
endforeach()

# The parser's own errors look like every other error.
execute_process(COMMAND ${CLI} list RESULT_VARIABLE rc ERROR_VARIABLE err)
expect_one_error("missing file argument" "${rc}" "${err}" "file is required")
execute_process(COMMAND ${CLI} merge ${EXAMPLES}/four_lines.tvn --cluster1 a,b --cluster2 2,3
    RESULT_VARIABLE rc ERROR_VARIABLE err)
expect_one_error("cluster that is no number" "${rc}" "${err}" "cluster1")

# --apply never replaces what is not a regular file.
set(fifo ${WORK}/apply_fifo.tvn)
file(REMOVE ${fifo})
execute_process(COMMAND mkfifo ${fifo} RESULT_VARIABLE made)
if(made EQUAL 0)
    execute_process(COMMAND ${CLI} merge ${EXAMPLES}/four_lines.tvn --cluster1 0,1 --cluster2 2,3
        --apply ${fifo} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    expect_one_error("--apply onto a FIFO" "${rc}" "${err}" "cannot save over .*: it is not a regular file")
    execute_process(COMMAND test -p ${fifo} RESULT_VARIABLE isFifo)
    if(NOT isFifo EQUAL 0)
        message(FATAL_ERROR "--apply replaced the FIFO")
    endif()
    file(REMOVE ${fifo})
endif()
