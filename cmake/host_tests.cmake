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

# With clang: the fuzzer, whole runs on the fake driven by fuzzer bytes. A
# bounded run over the seed corpus and the kept findings is a test; a longer
# run is scripts/fuzz.sh.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_library(uninstall_logic_fuzz STATIC ${UNINSTALL_LOGIC_SOURCES})
    target_include_directories(uninstall_logic_fuzz PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_compile_options(uninstall_logic_fuzz PRIVATE -fno-exceptions -fno-rtti
                           -fsanitize=fuzzer-no-link)
    uninstall_warnings(uninstall_logic_fuzz)

    add_executable(uninstall_fuzzer tests/fuzz/uninstall_fuzzer.cpp)
    target_link_libraries(uninstall_fuzzer PRIVATE uninstall_logic_fuzz fake_platform)
    target_compile_options(uninstall_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(uninstall_fuzzer PRIVATE -fsanitize=fuzzer)
    uninstall_warnings(uninstall_fuzzer)

    set(UNINSTALL_FUZZ_RUNS 100000 CACHE STRING "executions of the bounded fuzz run")
    add_test(NAME fuzz_bounded_run
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scripts/fuzz.sh ${UNINSTALL_FUZZ_RUNS}
            $<TARGET_FILE:uninstall_fuzzer>)
endif()
