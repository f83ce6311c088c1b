# UnInstall.exe for Windows: a GUI program whose runtime is linked in, so
# that it needs nothing but the system's own libraries.
add_executable(UnInstall WIN32
    app/win_main.cpp
    platform/platform_win32.cpp
)
set_target_properties(UnInstall PROPERTIES OUTPUT_NAME "UnInstall")
target_link_libraries(UnInstall PRIVATE uninstall_logic)
target_compile_options(UnInstall PRIVATE -fno-exceptions -fno-rtti)
target_link_options(UnInstall PRIVATE -static -static-libgcc -static-libstdc++)
uninstall_warnings(UnInstall)

find_program(UNINSTALL_OBJDUMP NAMES ${UNINSTALL_TOOL_PREFIX}objdump REQUIRED)
add_test(NAME imports_only_system_libraries
    COMMAND ${CMAKE_COMMAND}
        -DOBJDUMP=${UNINSTALL_OBJDUMP}
        -DEXE=$<TARGET_FILE:UnInstall>
        "-DALLOWED=KERNEL32.dll;USER32.dll;ADVAPI32.dll;msvcrt.dll"
        -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check_imports.cmake)

# This machine runs x86_64 Windows programs under Wine, not 32-bit ones.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    include(cmake/e2e_tests.cmake)
endif()
