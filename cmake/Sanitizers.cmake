# Two instrumented build modes, each in a build folder of its own.
#
# QUIVEREL_SANITIZE: every target of the project built with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report ends the program, so a test that triggers one fails.
#
# QUIVEREL_FUZZ: the engine and the libFuzzer targets of fuzz/ only, built with clang for
# coverage-guided fuzzing under the same two sanitizers.
option(QUIVEREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUIVEREL_FUZZ "Build the engine and the libFuzzer targets only (needs clang++)" OFF)

# Without the vptr check: it probes an object's memory through a pipe, so where a test takes every
# descriptor away (the descriptor-shortage tests) it reports each virtual call it has not seen
# before as a call on a bad object.
set(quiverel_sanitizer_flags
    -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

if(QUIVEREL_SANITIZE AND QUIVEREL_FUZZ)
    message(FATAL_ERROR "QUIVEREL_SANITIZE and QUIVEREL_FUZZ go in separate build folders")
endif()

if(QUIVEREL_SANITIZE)
    add_compile_options(${quiverel_sanitizer_flags})
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUIVEREL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUIVEREL_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++-14)")
    endif()
    # The engine gets coverage instrumentation without libFuzzer's main; the fuzz targets
    # link -fsanitize=fuzzer themselves.
    add_compile_options(-fsanitize=fuzzer-no-link ${quiverel_sanitizer_flags})
    add_link_options(-fsanitize=address,undefined)
endif()
