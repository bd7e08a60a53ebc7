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

# A second program on the settings store: SettingsFaultsTest runs it where a fault could hang,
# needs other rights, or needs two writers at once.
add_executable(SettingsClient ${CMAKE_CURRENT_SOURCE_DIR}/app/SettingsClient.cpp)
target_include_directories(SettingsClient PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(SettingsClient PRIVATE quiverel_gui quiverel_warnings)
add_dependencies(SettingsFaultsTest SettingsClient)
target_compile_definitions(SettingsFaultsTest PRIVATE
    SETTINGS_CLIENT="$<TARGET_FILE:SettingsClient>")
