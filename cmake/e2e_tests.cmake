# The real UnInstall.exe under Wine, driven by tests/e2e/e2e_driver.cpp. One
# ctest test per case, each in a Wine prefix of its own; setup and cleanup
# start and stop the virtual display.
find_program(UNINSTALL_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
find_program(UNINSTALL_XVFB NAMES Xvfb REQUIRED)

add_executable(e2e_driver tests/e2e/e2e_driver.cpp)
target_link_libraries(e2e_driver PRIVATE shell32 gdi32)
target_link_options(e2e_driver PRIVATE -static)
uninstall_warnings(e2e_driver)
add_dependencies(e2e_driver UnInstall)  # it runs the UnInstall.exe beside it

# For bench/figures.sh: the same two boxes and nothing else.
add_executable(two_boxes WIN32 bench/two_boxes.cpp)
target_include_directories(two_boxes PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_options(two_boxes PRIVATE -static)
uninstall_warnings(two_boxes)

set(E2E_CASES
    all_bits options_0 driver_bit_only all_but_driver pl_type_only spc_type_only
    desktop_only start_menu_only quick_launch_only meaningless_bits answer_no
    record_missing second_run directory_without_backslash
    directory_with_two_backslashes directory_empty directory_relative
    file_held_open read_only_file user_files extra_start_menu_shortcut
    record_with_subkeys no_display)

set(E2E_WORK ${CMAKE_BINARY_DIR}/e2e)
set(E2E_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e)
add_test(NAME e2e_setup
    COMMAND bash ${E2E_SCRIPTS}/setup.sh ${E2E_WORK} ${UNINSTALL_WINE}
            $<TARGET_FILE:e2e_driver> ${E2E_CASES})
set_tests_properties(e2e_setup PROPERTIES FIXTURES_SETUP e2e LABELS e2e)
add_test(NAME e2e_cleanup COMMAND bash ${E2E_SCRIPTS}/cleanup.sh ${E2E_WORK})
set_tests_properties(e2e_cleanup PROPERTIES FIXTURES_CLEANUP e2e LABELS e2e)
foreach(name IN LISTS E2E_CASES)
    add_test(NAME e2e_${name}
        COMMAND bash ${E2E_SCRIPTS}/run_case.sh ${E2E_WORK} ${UNINSTALL_WINE}
                $<TARGET_FILE:e2e_driver> ${name})
    set_tests_properties(e2e_${name} PROPERTIES
        FIXTURES_REQUIRED e2e LABELS e2e TIMEOUT 120)
endforeach()
