# Each test file of the window's folders is one Qt Test executable, run offscreen, linked to the
# library it tests.
set(CMAKE_AUTOMOC ON)
function(quiverel_qt_test source)
    get_filename_component(test_name ${source} NAME_WE)
    add_executable(${test_name} ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    target_include_directories(${test_name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${test_name} PRIVATE ${ARGN} Qt6::Test quiverel_warnings)
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUIVEREL_TEST_DATA=${QUIVEREL_TEST_DATA}"
        TIMEOUT 120)
endfunction()

quiverel_qt_test(platform/QtSeamsTest.cpp quiverel_platform_qt)
quiverel_qt_test(platform/QtSystemInfoLocatorTest.cpp quiverel_platform_qt quiverel_dialogs)
quiverel_qt_test(settings/IniTextTest.cpp quiverel_settings)
quiverel_qt_test(settings/SettingsStoreTest.cpp quiverel_settings)
quiverel_qt_test(settings/SettingsFaultsTest.cpp quiverel_settings)
quiverel_qt_test(widgets/CellTextDelegateTest.cpp quiverel_widgets)
quiverel_qt_test(widgets/FlexGridViewTest.cpp quiverel_window)
quiverel_qt_test(widgets/KeyCodeAnalyzeTest.cpp quiverel_widgets)
quiverel_qt_test(dialogs/options/frmOptionsTest.cpp quiverel_dialogs)
quiverel_qt_test(dialogs/about/frmAboutTest.cpp quiverel_dialogs)
quiverel_qt_test(dialogs/about/SystemInformationTest.cpp quiverel_dialogs)
quiverel_qt_test(window/CommandLineTest.cpp quiverel_window)
quiverel_qt_test(window/CopyCommandTest.cpp quiverel_window)
quiverel_qt_test(window/DropIntakeTest.cpp quiverel_window)
quiverel_qt_test(window/InputTranslationTest.cpp quiverel_window)
quiverel_qt_test(window/LayoutStepTest.cpp quiverel_window)
quiverel_qt_test(window/MainWindowCommandsTest.cpp quiverel_window)
quiverel_qt_test(window/frmMainTest.cpp quiverel_window)

# A second program on the settings store: SettingsFaultsTest runs it where a fault could hang,
# needs other rights, or needs two writers at once.
add_executable(SettingsClient ${CMAKE_CURRENT_SOURCE_DIR}/settings/SettingsClient.cpp)
target_include_directories(SettingsClient PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(SettingsClient PRIVATE quiverel_settings quiverel_warnings)
add_dependencies(SettingsFaultsTest SettingsClient)
target_compile_definitions(SettingsFaultsTest PRIVATE
    SETTINGS_CLIENT="$<TARGET_FILE:SettingsClient>")
