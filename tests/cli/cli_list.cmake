# Runs `torvane-cli list` as a user would and checks its output and exit codes.
execute_process(COMMAND ${CLI} list ${EXAMPLES}/worked_example.tvn
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "C(-60.0, 20.0, 30.0)\nL(-120.0, -40.0, 120.0, -40.0)\nC'(80.0, 40.0, 25.0)\nL'(0.0, -100.0, 0.0, 100.0)\n")
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "list of the example scene: rc=${rc}\n${out}\n${err}")
endif()

# A text file read as a scene claims far more objects than it holds.
set(bad ${CMAKE_CURRENT_BINARY_DIR}/not_a_scene.tvn)
file(WRITE ${bad} "this is not a scene")
execute_process(COMMAND ${CLI} list ${bad} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines lines)
if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT lines EQUAL 1 OR NOT err MATCHES "not_a_scene.tvn: byte 0: object count")
    message(FATAL_ERROR "damaged file: rc=${rc} stdout='${out}' stderr='${err}'")
endif()

execute_process(COMMAND ${CLI} list ${CMAKE_CURRENT_BINARY_DIR}/missing.tvn RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "cannot open")
    message(FATAL_ERROR "missing file: rc=${rc} stderr='${err}'")
endif()
