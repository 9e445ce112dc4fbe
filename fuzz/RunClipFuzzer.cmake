# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the clip reader's fuzz target with clang and runs it for SECONDS, from the seed
# clips. MARROWBY_FUZZ_SECONDS in the environment asks for a longer run. The corpus it
# grows stays in BINARY/corpus for the next run.
#   cmake -DCLANGXX=... -DSOURCE=... -DBINARY=... -DSEED_MAKER=... -DVICTORY_CLIP=...
#         -DSECONDS=... -P RunClipFuzzer.cmake
if(DEFINED ENV{MARROWBY_FUZZ_SECONDS})
    set(SECONDS $ENV{MARROWBY_FUZZ_SECONDS})
endif()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -DCMAKE_CXX_COMPILER=${CLANGXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo)
run(${CMAKE_COMMAND} --build ${BINARY})
file(MAKE_DIRECTORY ${BINARY}/seeds ${BINARY}/corpus)
run(${SEED_MAKER} ${BINARY}/seeds)
file(COPY ${VICTORY_CLIP} DESTINATION ${BINARY}/seeds)
run(${BINARY}/avi_reader_fuzzer ${BINARY}/corpus ${BINARY}/seeds -max_total_time=${SECONDS}
    -print_final_stats=1)
