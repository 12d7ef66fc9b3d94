# Builds the sound fuzzer with clang in its own folder and runs it for a
# bounded time from the seed corpus. Fails on any crash, hang or sanitizer
# report, leaving the offending input in ${WORK_DIR}/artifacts.
#
#   cmake -DSOURCE_DIR=<tests/fuzz> -DWORK_DIR=<folder> -DCLANGXX=<clang++>
#         [-DSECONDS=60] -P run_fuzzer.cmake

foreach(required SOURCE_DIR WORK_DIR CLANGXX)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "run_fuzzer.cmake needs -D${required}=...")
    endif()
endforeach()
if(NOT DEFINED SECONDS)
    set(SECONDS 60)
endif()

execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/harness -B ${WORK_DIR}/build -G Ninja
            -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
    RESULT_VARIABLE configured OUTPUT_QUIET)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "configuring the fuzzer failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "building the fuzzer failed")
endif()

# New inputs go to a corpus of the build's own; the seeds in the tree stay as they are.
file(MAKE_DIRECTORY ${WORK_DIR}/corpus ${WORK_DIR}/artifacts)
execute_process(
    COMMAND ${WORK_DIR}/build/sound_file_fuzzer
            ${WORK_DIR}/corpus ${SOURCE_DIR}/corpus
            -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=16384
            -print_final_stats=1 -artifact_prefix=${WORK_DIR}/artifacts/
    RESULT_VARIABLE fuzzed
    ERROR_VARIABLE log)
string(REGEX MATCHALL "(#[0-9]+\t(INITED|DONE)[^\n]*|stat::[^\n]*)" summary "${log}")
string(REPLACE ";" "\n" summary "${summary}")
message("${summary}")
if(NOT fuzzed EQUAL 0)
    message("${log}")
    message(FATAL_ERROR "the sound fuzzer found a fault; its input is in ${WORK_DIR}/artifacts")
endif()
