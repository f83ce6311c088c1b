# The logic on the host, against the recording fake of the platform layer.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(fake_platform STATIC tests/fake_platform.cpp tests/installation.cpp)
target_include_directories(fake_platform PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
uninstall_warnings(fake_platform)

add_executable(host_tests
    tests/path_buffer_test.cpp
    tests/install_record_test.cpp
    tests/uninstall_run_test.cpp
    tests/registration_cleanup_test.cpp
    tests/special_folder_test.cpp
    tests/shortcut_cleanup_test.cpp
    tests/file_cleanup_test.cpp
)
target_link_libraries(host_tests PRIVATE uninstall_logic fake_platform GTest::gtest_main)
uninstall_warnings(host_tests)
gtest_discover_tests(host_tests)
