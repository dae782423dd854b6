# Installs the build into a fresh prefix and runs what was installed, as a user would.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${err}")
endif()
foreach(program torvane-cli torvane)
    execute_process(COMMAND ${PREFIX}/bin/${program} --version
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR NOT out MATCHES "^${program} ${VERSION}\n$")
        message(FATAL_ERROR "${program} --version: rc=${rc} '${out}' ${err}")
    endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONPATH=${PREFIX}/${PYTHON_DIR}
        ${PYTHON} -c "import torvane; print(torvane.__version__)"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "${VERSION}\n")
    message(FATAL_ERROR "import torvane from the installed prefix: rc=${rc} '${out}' ${err}")
endif()
