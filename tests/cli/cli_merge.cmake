# Runs `torvane-cli solve` and `merge` as a user would: worked examples through
# JSON, failures and bad input with their exit codes, and a merged scene on disk.
function(run_solve input)
    file(WRITE ${WORK}/problem.json "${input}")
    execute_process(COMMAND ${CLI} solve --json INPUT_FILE ${WORK}/problem.json
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(rc ${rc} PARENT_SCOPE)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

# Four candidates, in the worked example's order, each meeting its constraints.
run_solve([=[{"mode":"translate",
  "cluster1":[{"kind":"L","x0":0,"y0":0,"x1":10,"y1":0},{"kind":"C","x":5,"y":15,"r":-5}],
  "cluster2":[{"kind":"C","x":30,"y":10,"r":5},{"kind":"L","x0":40,"y0":0,"x1":40,"y1":10}]}]=])
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "solve worked example: rc=${rc} ${out} ${err}")
endif()
string(JSON solver GET "${out}" solver)
string(JSON count LENGTH "${out}" candidates)
string(JSON d0 GET "${out}" candidates 0 parameter)
string(JSON d3 GET "${out}" candidates 3 parameter)
if(NOT solver STREQUAL "T_2Circle2ClusterSolver" OR NOT count EQUAL 4
   OR NOT d0 MATCHES "^13\\.20232" OR NOT d3 MATCHES "^-37\\.894989")
    message(FATAL_ERROR "solve worked example: ${out}")
endif()
foreach(i RANGE 3)
    string(JSON residual GET "${out}" candidates ${i} residual)
    if(NOT residual MATCHES "e-(1[0-9]|[2-9][0-9])$" AND NOT residual STREQUAL "0.0")
        message(FATAL_ERROR "candidate ${i} residual ${residual} is not below 1e-9")
    endif()
endforeach()

# A merge that cannot happen: exit 1 with the solver's message.
run_solve([=[{"mode":"translate",
  "cluster1":[{"kind":"L","x0":0,"y0":0,"x1":10,"y1":0},{"kind":"L","x0":0,"y0":5,"x1":10,"y1":5}],
  "cluster2":[{"kind":"L","x0":0,"y0":0,"x1":10,"y1":0},{"kind":"L","x0":0,"y0":9,"x1":10,"y1":9}]}]=])
string(JSON ok GET "${out}" ok)
string(JSON message GET "${out}" message)
if(NOT rc EQUAL 1 OR NOT ok STREQUAL "OFF" OR message STREQUAL "")
    message(FATAL_ERROR "impossible merge: rc=${rc} ${out}")
endif()

# Bad input: exit 2, one line on stderr naming the place.
run_solve([=[{"mode":"rotate","cluster1":[{"kind":"L","x0":0,"y0":0,"x1":1}],"cluster2":[]}]=])
if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "cluster1\\[0\\]: missing \"y1\"")
    message(FATAL_ERROR "bad problem: rc=${rc} stdout='${out}' stderr='${err}'")
endif()
run_solve([=[{"mode":"sideways","cluster1":[],"cluster2":[]}]=])
if(NOT rc EQUAL 2)
    message(FATAL_ERROR "bad mode: rc=${rc}")
endif()

# merge on a scene file: the report, and the merged scene written with --apply.
set(merged ${WORK}/merged.tvn)
file(REMOVE ${merged})
execute_process(COMMAND ${CLI} merge ${EXAMPLES}/four_lines.tvn --cluster1 0,1 --cluster2 2,3 --apply ${merged}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Translate: -150.0000, New circle: \\(50.000, 50.000, 50.000\\), Spent 0 seconds")
    message(FATAL_ERROR "merge four lines: rc=${rc} ${out} ${err}")
endif()
execute_process(COMMAND ${CLI} list ${merged} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
string(REGEX MATCHALL "\n" lines "${out}")
list(LENGTH lines count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 7 OR NOT out MATCHES "C\\(50.0, 50.0, 50.0\\)\n$")
    message(FATAL_ERROR "merged scene: ${out}")
endif()

execute_process(COMMAND ${CLI} merge ${EXAMPLES}/four_lines.tvn --cluster1 0,1 --cluster2 2,9
    RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "object 9 does not exist")
    message(FATAL_ERROR "merge with a missing object: rc=${rc} ${err}")
endif()

# Only complex candidates: the solver succeeds, yet no circle exists, so exit 1.
run_solve([=[{"mode":"translate",
  "cluster1":[{"kind":"C","x":0,"y":0,"r":2},{"kind":"C'","x":0,"y":0,"r":0.5}],
  "cluster2":[{"kind":"L","x0":0,"y0":0,"x1":1,"y1":0},{"kind":"L","x0":10,"y0":0,"x1":10,"y1":1}]}]=])
string(JSON count LENGTH "${out}" candidates)
string(JSON complex0 GET "${out}" candidates 0 complex)
if(NOT rc EQUAL 1 OR NOT count EQUAL 4 OR NOT complex0 STREQUAL "ON")
    message(FATAL_ERROR "all-complex solve: rc=${rc} ${out}")
endif()

# Circles touching three objects where they stand: the incircle of the 3-4-5 triangle.
run_solve([=[{"mode":"none","objects":[{"kind":"L","x0":0,"y0":0,"x1":4,"y1":0},
  {"kind":"L","x0":4,"y0":0,"x1":0,"y1":3},{"kind":"L","x0":0,"y0":3,"x1":0,"y1":0}]}]=])
string(JSON count LENGTH "${out}" candidates)
string(JSON param GET "${out}" candidates 0 parameter)
string(JSON x GET "${out}" candidates 0 x)
string(JSON r GET "${out}" candidates 0 r)
set(one "^(1(\\.0+)?|1\\.0000000[0-9]*|0\\.9999999[0-9]*)$")
if(NOT rc EQUAL 0 OR NOT count EQUAL 1 OR NOT param MATCHES "^0(\\.0)?$" OR NOT x MATCHES "${one}"
   OR NOT r MATCHES "${one}")
    message(FATAL_ERROR "solve none: rc=${rc} ${out} ${err}")
endif()
run_solve([=[{"mode":"none","objects":[{"kind":"C'","x":0,"y":0,"r":5},
  {"kind":"C'","x":6,"y":0,"r":5},{"kind":"L'","x0":0,"y0":0,"x1":1,"y1":1}]}]=])
string(JSON message GET "${out}" message)
if(NOT rc EQUAL 1 OR NOT message STREQUAL "Infinitely many circles meet these three constraints.")
    message(FATAL_ERROR "solve none, three centre constraints: rc=${rc} ${out}")
endif()
run_solve([=[{"mode":"none","objects":[{"kind":"C","x":0,"y":0,"r":5}]}]=])
if(NOT rc EQUAL 2 OR NOT err MATCHES "\"objects\" must be an array of three objects")
    message(FATAL_ERROR "solve none with one object: rc=${rc} ${err}")
endif()
