# Installs the build into a fresh prefix, checks what landed there, and builds and runs
# a small program against the installed parser package.
# Expects BUILD_DIR, WORK_DIR, CONSUMER_DIR, CXX and MAN_PAGE (ON or OFF).

function(run)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed (${status}): ${ARGV}\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(expected bin/mavrel include/argparse/args.hpp)
if(MAN_PAGE)
    list(APPEND expected share/man/man1/mavrel.1)
endif()
foreach(file ${expected})
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/greet world -t 2)
if(NOT output STREQUAL "hello world\nhello world\n")
    message(FATAL_ERROR "unexpected output of the consumer: ${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
