// The run's working state and its entry operation.
#pragma once

#include <cstdint>

#include "platform/path_buffer.h"
#include "platform/platform_services.h"

// How many leading rows of the removal table the file stage deletes.
constexpr std::int32_t ROWS_ALL = 25;
constexpr std::int32_t ROWS_WITHOUT_DRIVER = 23;

struct UninstallContext {
    std::uint32_t options;          // option bits of the installation record
    char installDir[PATH_SIZE];     // from the record, one trailing '\' cut
    char pluginsDir[PATH_SIZE];     // installDir + "\Plugins", or ""
    char windowsDir[PATH_SIZE];     // or "" when the system gave none
    char systemDir[PATH_SIZE];      // or "" when the system gave none
    std::int32_t rowCount;          // ROWS_ALL or ROWS_WITHOUT_DRIVER
};

constexpr const char UNINSTALL_CAPTION[] = "Orlatune UnInstall";
constexpr const char UNINSTALL_CONFIRM_TEXT[] =
    "Are you sure you want to remove Orlatune?";
constexpr const char UNINSTALL_FAILURE_TEXT[] =
    "Failed to open the Orlatune registry key.";
constexpr const char UNINSTALL_COMPLETE_TEXT[] =
    "Uninstallation complete. Note, however, that Windows does not allow "
    "programs to delete themselves (commit suicide). So you will have to "
    "remove the \"UnInstall.exe\" file. Sorry it had to come to this.";

// The whole program, from the confirmation to the completion message. Takes
// the GUI entry point's arguments, uses none of them, and returns the exit
// code, which is 0 on every path.
int RunUninstall(platform::HINSTANCE instance,
                 platform::HINSTANCE previousInstance, char* commandLine,
                 int showCommand);
