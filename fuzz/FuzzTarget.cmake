# SPDX-License-Identifier: GPL-3.0-or-later
# marrowby_fuzz_target(<name> SOURCES <file>... [QT_COMPONENTS <component>...]
#                      [CORPUS <folder>...] [DICT <file>] [SECONDS <n>]
#                      [TIMEOUT <seconds>] [MAX_LEN <bytes>])
#
# Adds the test fuzz_<name>: it builds a libFuzzer target from SOURCES with clang, with
# AddressSanitizer and UndefinedBehaviorSanitizer, in a project of its own (so the main
# build may use any compiler), then fuzzes it for SECONDS (20 unless given), or for
# $MARROWBY_FUZZ_SECONDS when that is set. The seeds in CORPUS are read, never written.
# An input that takes longer than TIMEOUT fails the test as a crash would; MAX_LEN
# bounds the inputs the fuzzer makes. Without clang there is no test.
#
# Run with -P, this file is that test's script.
include_guard(GLOBAL)

if(CMAKE_SCRIPT_MODE_FILE)
    function(run)
        execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "Failed (${result}): ${ARGN}")
        endif()
    endfunction()
    run(${CMAKE_COMMAND} -S ${FUZZ_PROJECT} -B ${FUZZ_BINARY_DIR}
        -DCMAKE_CXX_COMPILER=${FUZZ_COMPILER} -DCMAKE_BUILD_TYPE=RelWithDebInfo
        -DFUZZ_NAME=${FUZZ_NAME} -DFUZZ_SOURCES=${FUZZ_SOURCES}
        -DFUZZ_QT_COMPONENTS=${FUZZ_QT_COMPONENTS} -DFUZZ_INCLUDE_DIR=${FUZZ_INCLUDE_DIR})
    run(${CMAKE_COMMAND} --build ${FUZZ_BINARY_DIR})
    set(seconds ${FUZZ_SECONDS})
    if(DEFINED ENV{MARROWBY_FUZZ_SECONDS})
        set(seconds $ENV{MARROWBY_FUZZ_SECONDS})
    endif()
    set(options -max_total_time=${seconds} -print_final_stats=1)
    if(FUZZ_DICT)
        list(APPEND options -dict=${FUZZ_DICT})
    endif()
    if(FUZZ_TIMEOUT)
        list(APPEND options -timeout=${FUZZ_TIMEOUT})
    endif()
    if(FUZZ_MAX_LEN)
        list(APPEND options -max_len=${FUZZ_MAX_LEN})
    endif()
    string(REPLACE "|" ";" corpus "${FUZZ_CORPUS}")
    # New finds go to a corpus of the build's own; the seeds stay as they are.
    file(MAKE_DIRECTORY ${FUZZ_BINARY_DIR}/corpus)
    run(${FUZZ_BINARY_DIR}/${FUZZ_NAME} ${options} ${FUZZ_BINARY_DIR}/corpus ${corpus})
    return()
endif()

find_program(MARROWBY_CLANGXX NAMES clang++ clang++-14)
set(MARROWBY_FUZZ_TARGET_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(marrowby_fuzz_target name)
    cmake_parse_arguments(PARSE_ARGV 1 FUZZ "" "DICT;SECONDS;TIMEOUT;MAX_LEN"
        "SOURCES;QT_COMPONENTS;CORPUS")
    if(NOT MARROWBY_CLANGXX)
        return()
    endif()
    if(NOT FUZZ_SECONDS)
        set(FUZZ_SECONDS 20)
    endif()
    # Lists travel to the script with "|" between their items.
    list(JOIN FUZZ_SOURCES "|" sources)
    list(JOIN FUZZ_QT_COMPONENTS "|" components)
    list(JOIN FUZZ_CORPUS "|" corpus)
    get_filename_component(here ${MARROWBY_FUZZ_TARGET_SCRIPT} DIRECTORY)
    add_test(NAME fuzz_${name} COMMAND ${CMAKE_COMMAND}
        -DFUZZ_NAME=${name} -DFUZZ_SOURCES=${sources} -DFUZZ_QT_COMPONENTS=${components}
        -DFUZZ_PROJECT=${here}/FuzzProject -DFUZZ_BINARY_DIR=${CMAKE_CURRENT_BINARY_DIR}/${name}
        -DFUZZ_COMPILER=${MARROWBY_CLANGXX} -DFUZZ_INCLUDE_DIR=${CMAKE_SOURCE_DIR}
        -DFUZZ_CORPUS=${corpus} -DFUZZ_DICT=${FUZZ_DICT} -DFUZZ_SECONDS=${FUZZ_SECONDS}
        -DFUZZ_TIMEOUT=${FUZZ_TIMEOUT} -DFUZZ_MAX_LEN=${FUZZ_MAX_LEN}
        -P ${MARROWBY_FUZZ_TARGET_SCRIPT})
    set_tests_properties(fuzz_${name} PROPERTIES LABELS fuzz)
endfunction()
