# Runs `torvane-cli export-eps` as a user would: the file it writes and its failures.
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
