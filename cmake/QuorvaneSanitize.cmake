# Instrumented builds.
#
# QUORVANE_SANITIZE: every target, tests included, is built and linked with AddressSanitizer and
# UndefinedBehaviorSanitizer; a finding ends the process with an error (see test.sh --sanitize).
#
# QUORVANE_FUZZ: the libFuzzer targets in fuzz/ (clang only). The code they reach is built with coverage
# instrumentation and both sanitizers.
option(QUORVANE_SANITIZE "Build every target with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUORVANE_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

if(QUORVANE_SANITIZE OR QUORVANE_FUZZ)
    set(quorvane_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_compile_options(${quorvane_sanitizers})
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUORVANE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUORVANE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
