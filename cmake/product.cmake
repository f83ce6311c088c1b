# UnInstall.exe for Windows: a GUI program that needs nothing but the
# system's own libraries, with its version resource and manifest.
configure_file(app/uninstall_version.h.in ${CMAKE_BINARY_DIR}/generated/uninstall_version.h @ONLY)
enable_language(RC)

add_executable(UnInstall WIN32
    app/win_main.cpp
    app/uninstall.rc
    platform/platform_win32.cpp
)
set_target_properties(UnInstall PROPERTIES OUTPUT_NAME "UnInstall")
target_include_directories(UnInstall PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_CURRENT_SOURCE_DIR}/app)
target_link_libraries(UnInstall PRIVATE uninstall_logic)
uninstall_warnings(UnInstall)

# Small and the same on every build: no exceptions or RTTI, unused sections
# dropped, symbols stripped, no link timestamp, and the program's own entry
# point instead of the C runtime's startup.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(UNINSTALL_ENTRY _UninstallStartup)
else()
    set(UNINSTALL_ENTRY UninstallStartup)
endif()
target_compile_options(UnInstall PRIVATE -fno-exceptions -fno-rtti)
foreach(target uninstall_logic UnInstall)
    target_compile_options(${target} PRIVATE
        -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
endforeach()
target_link_options(UnInstall PRIVATE
    -static -static-libgcc -static-libstdc++ -nostartfiles
    -Wl,-e,${UNINSTALL_ENTRY} -Wl,--gc-sections -Wl,--no-insert-timestamp -s)

find_program(UNINSTALL_OBJDUMP NAMES ${UNINSTALL_TOOL_PREFIX}objdump REQUIRED)
add_test(NAME imports_only_system_libraries
    COMMAND ${CMAKE_COMMAND}
        -DOBJDUMP=${UNINSTALL_OBJDUMP}
        -DEXE=$<TARGET_FILE:UnInstall>
        "-DALLOWED=KERNEL32.dll;USER32.dll;ADVAPI32.dll;msvcrt.dll"
        -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check_imports.cmake)

# What the product carries and depends on, read back out of the built file.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME release_resources
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tests/release/check_pe.py
            resources $<TARGET_FILE:UnInstall> ${PROJECT_VERSION})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_test(NAME release_imports
        COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tests/release/check_pe.py
                imports $<TARGET_FILE:UnInstall> ${CMAKE_CURRENT_SOURCE_DIR}/tests/release/imports-win32.txt)
    add_test(NAME release_size
        COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:UnInstall> -DLIMIT=20480
                -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check_size.cmake)
    add_test(NAME release_reproducible
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/release/check_reproducible.sh
                ${CMAKE_CURRENT_SOURCE_DIR} win32)
    set_tests_properties(release_reproducible PROPERTIES TIMEOUT 600)
endif()

# cmake --install build/win32 --prefix DIR: the product and its SHA-256.
install(PROGRAMS $<TARGET_FILE:UnInstall> DESTINATION .)
install(CODE [[
    file(SHA256 "${CMAKE_INSTALL_PREFIX}/UnInstall.exe" sum)
    file(WRITE "${CMAKE_INSTALL_PREFIX}/UnInstall.exe.sha256" "${sum}  UnInstall.exe\n")
    message(STATUS "SHA-256 ${sum}  UnInstall.exe")
]])

# This machine runs x86_64 Windows programs under Wine, not 32-bit ones.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    include(cmake/e2e_tests.cmake)
endif()
