# Runs `torvane-cli export-eps` and `torvane-cli export` to .eps as a user would: the
# files they write, byte for byte, and their failures.
set(out ${WORK}/worked_example.eps)
file(REMOVE ${out})
execute_process(COMMAND ${CLI} export-eps ${EXAMPLES}/worked_example.tvn ${out}
    RESULT_VARIABLE rc OUTPUT_VARIABLE stdout ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${out})
    message(FATAL_ERROR "export of the example scene: rc=${rc}\n${stdout}\n${err}")
endif()
file(READ ${out} eps)
# The lowest x is the line's -120, the lowest y the vertical line's -100: both come to 5.
string(CONCAT expected
    "%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: 4 4 246 206\n\n"
    "newpath\n65.000000 125.000000 30.000000 0 360 arc\nstroke\n\n"
    "newpath\n5.000000 65.000000 moveto\n245.000000 65.000000 lineto\nstroke\n\n"
    "newpath\n205.000000 145.000000 25.000000 0 360 arc\nstroke\n\n"
    "newpath\n125.000000 5.000000 moveto\n125.000000 205.000000 lineto\nstroke\n\n")
if(NOT eps STREQUAL expected)
    message(FATAL_ERROR "exported text differs:\n${eps}")
endif()

# The picture export writes the very same EPS, extension in any case.
set(out2 ${WORK}/worked_example_2.EPS)
file(REMOVE ${out2})
execute_process(COMMAND ${CLI} export ${EXAMPLES}/worked_example.tvn ${out2}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
file(READ ${out2} eps2)
if(NOT rc EQUAL 0 OR NOT eps2 STREQUAL expected)
    message(FATAL_ERROR "export to .EPS: rc=${rc} ${err}\n${eps2}")
endif()

# A scene with colours, a dashed and a wide line: EPS keeps to the geometry, as pinned.
file(READ ${DATA}/three_styles.eps pinned)
foreach(command export-eps export)
    set(out3 ${WORK}/three_styles_${command}.eps)
    file(REMOVE ${out3})
    execute_process(COMMAND ${CLI} ${command} ${DATA}/three_styles.tvn ${out3} RESULT_VARIABLE rc)
    file(READ ${out3} eps3)
    if(NOT rc EQUAL 0 OR NOT eps3 STREQUAL pinned)
        message(FATAL_ERROR "${command} of three_styles: rc=${rc}\n${eps3}")
    endif()
endforeach()

execute_process(COMMAND ${CLI} export ${EXAMPLES}/worked_example.tvn ${WORK}/x.gif
    RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "unknown picture type" OR EXISTS ${WORK}/x.gif)
    message(FATAL_ERROR "unknown extension: rc=${rc} stderr='${err}'")
endif()
foreach(ext svg pdf png)
    execute_process(COMMAND ${CLI} export ${EXAMPLES}/worked_example.tvn
                            ${WORK}/no/such/dir/x.${ext}
        RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 2 OR NOT err MATCHES "cannot write")
        message(FATAL_ERROR "unwritable ${ext} target: rc=${rc} stderr='${err}'")
    endif()
endforeach()

execute_process(COMMAND ${CLI} export-eps ${WORK}/missing.tvn ${WORK}/x.eps
    RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "cannot open" OR EXISTS ${WORK}/x.eps)
    message(FATAL_ERROR "missing scene: rc=${rc} stderr='${err}'")
endif()

execute_process(COMMAND ${CLI} export-eps ${EXAMPLES}/worked_example.tvn ${WORK}/no/such/dir/x.eps
    RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "cannot write")
    message(FATAL_ERROR "unwritable target: rc=${rc} stderr='${err}'")
endif()
