# Every *Test.cpp of the window's test folders is one Qt Test executable, run offscreen.
set(CMAKE_AUTOMOC ON)
file(GLOB qt_tests CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/app/*Test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/output/*Test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/options/*Test.cpp ${CMAKE_CURRENT_SOURCE_DIR}/about/*Test.cpp)
foreach(test_source ${qt_tests})
    get_filename_component(test_name ${test_source} NAME_WE)
    add_executable(${test_name} ${test_source})
    target_include_directories(${test_name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${test_name} PRIVATE quiverel_gui Qt6::Test quiverel_warnings)
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUIVEREL_TEST_DATA=${QUIVEREL_TEST_DATA}"
        TIMEOUT 120)
endforeach()
