# The Windows programs, cross-built here: the Qt from scripts/build-qt-windows, GoogleTest from
# the source Debian's libgtest-dev ships, and the tests run under wine.

# The cross-built Qt, with this machine's Qt for the tools that run during the build.
set(QUIVEREL_QT_WINDOWS "" CACHE PATH "The Qt scripts/build-qt-windows installed")
if(NOT QUIVEREL_QT_WINDOWS)
    message(FATAL_ERROR "Set QUIVEREL_QT_WINDOWS to the folder scripts/build-qt-windows printed")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${QUIVEREL_QT_WINDOWS})
list(APPEND CMAKE_PREFIX_PATH ${QUIVEREL_QT_WINDOWS})
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

# GoogleTest built from source with the cross compiler; it names its targets GTest::gtest,
# GTest::gtest_main ... as find_package would.
set(INSTALL_GTEST OFF CACHE BOOL "")
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests run under wine; its own prefix and paths come from scripts/test-windows.
find_program(QUIVEREL_WINE NAMES wine64 wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUIVEREL_WINE})
