# The two ways a test folder registers its tests, one call per framework in its CMakeLists.txt:
# GoogleTest for code without Qt, Qt Test for code on Qt. Both find the test support under
# tests/ (#include "support/TempTree.h") with its side for this platform (support/posix or
# support/win32, included by bare name: "SystemTree.h"), the fixtures' folder as the definition
# QUIVEREL_TEST_DATA, and build with the project's warnings.
include(GoogleTest)

# Each NAME=program: the program built before the test, its path the test's definition NAME.
function(quiverel_test_runs target)
    foreach(run IN LISTS ARGN)
        string(REPLACE "=" ";" name_and_program ${run})
        list(GET name_and_program 0 name)
        list(GET name_and_program 1 program)
        target_compile_definitions(${target} PRIVATE ${name}="$<TARGET_FILE:${program}>")
        add_dependencies(${target} ${program})
    endforeach()
endfunction()

# A test built for Windows runs under wine, which starts a program in a second or two.
if(WIN32)
    set(quiverel_discovery DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
    set(quiverel_test_timeout 300)
else()
    set(quiverel_discovery DISCOVERY_TIMEOUT 60)
    set(quiverel_test_timeout 120)
endif()

# The sources of a test for this platform: those for all, then POSIX_ONLY or WINDOWS_ONLY ones.
macro(quiverel_platform_sources)
    set(platform_sources ${arg_UNPARSED_ARGUMENTS})
    if(WIN32)
        list(APPEND platform_sources ${arg_WINDOWS_ONLY})
    else()
        list(APPEND platform_sources ${arg_POSIX_ONLY})
    endif()
endmacro()

# quiverel_add_gtests(TARGET SOURCES... [POSIX_ONLY SOURCES...] [WINDOWS_ONLY SOURCES...]
#                     LINK_LIBRARIES libraries... [RUNS NAME=program...] [WHOLE] [TIMEOUT seconds])
# The folder's GoogleTest sources in one executable, each test case a ctest test of its own.
# POSIX_ONLY, WINDOWS_ONLY: sources of tests of what only one platform has (links, FIFOs and
# descriptor limits; drives and UTF-16 paths), built only there. RUNS: programs the tests start,
# built first; each path reaches the tests as the definition NAME (RUNS
# QUIVEREL_LISTER=quiverel2000-list). WHOLE: the executable is one ctest test (suites that share a
# costly set-up made once per run).
function(quiverel_add_gtests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "WHOLE" "TIMEOUT"
        "LINK_LIBRARIES;RUNS;POSIX_ONLY;WINDOWS_ONLY")
    quiverel_platform_sources()
    # A folder whose tests are all the other platform's has none here.
    if(NOT platform_sources)
        return()
    endif()
    add_executable(${target} ${platform_sources})
    target_include_directories(${target} PRIVATE ${QUIVEREL_TESTS_DIR}
        ${QUIVEREL_TESTS_DIR}/support/${QUIVEREL_PLATFORM})
    target_link_libraries(${target} PRIVATE ${arg_LINK_LIBRARIES} quiverel_warnings
        GTest::gtest_main)
    target_compile_definitions(${target} PRIVATE QUIVEREL_TEST_DATA="${QUIVEREL_TEST_DATA}")
    quiverel_test_runs(${target} ${arg_RUNS})
    if(arg_WHOLE)
        add_test(NAME ${target} COMMAND ${target})
        if(arg_TIMEOUT)
            set_tests_properties(${target} PROPERTIES TIMEOUT ${arg_TIMEOUT})
        endif()
    else()
        gtest_discover_tests(${target} ${quiverel_discovery}
            PROPERTIES TIMEOUT ${quiverel_test_timeout})
    endif()
endfunction()

# quiverel_add_qtests(SOURCES... [POSIX_ONLY SOURCES...] [WINDOWS_ONLY SOURCES...]
#                     LINK_LIBRARIES libraries... [RUNS NAME=program...])
# Each Qt Test source one executable named after the file and one ctest test, run offscreen.
# Under wine, whose programs get no QT_ variables, the platform is asked for by wine's own
# WINEQT_ form, and Qt Test writes its report to a file (it would go to the debugger's channel).
# The offscreen platform on Windows reads fonts only from one folder: the Japanese font the
# Windows targets install (fonts-noto-cjk), so the window's texts are measured with real glyphs.
set(quiverel_offscreen "QT_QPA_PLATFORM=offscreen;WINEQT_QPA_PLATFORM=offscreen")
if(WIN32)
    list(APPEND quiverel_offscreen "WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/opentype/noto")
endif()
function(quiverel_add_qtests)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "" "LINK_LIBRARIES;RUNS;POSIX_ONLY;WINDOWS_ONLY")
    quiverel_platform_sources()
    foreach(source IN LISTS platform_sources)
        get_filename_component(test_name ${source} NAME_WE)
        add_executable(${test_name} ${source})
        set_target_properties(${test_name} PROPERTIES AUTOMOC ON)
        target_include_directories(${test_name} PRIVATE ${QUIVEREL_TESTS_DIR}
            ${QUIVEREL_TESTS_DIR}/support/${QUIVEREL_PLATFORM})
        target_link_libraries(${test_name} PRIVATE ${arg_LINK_LIBRARIES} Qt6::Test
            quiverel_warnings)
        target_compile_definitions(${test_name} PRIVATE
            QUIVEREL_TEST_DATA="${QUIVEREL_TEST_DATA}")
        quiverel_test_runs(${test_name} ${arg_RUNS})
        if(WIN32)
            add_test(NAME ${test_name} COMMAND ${test_name} -o ${test_name}.txt,txt)
        else()
            add_test(NAME ${test_name} COMMAND ${test_name})
        endif()
        set_tests_properties(${test_name} PROPERTIES
            ENVIRONMENT "${quiverel_offscreen}"
            TIMEOUT ${quiverel_test_timeout})
    endforeach()
endfunction()
