// The installed files of the removal table, then the plug-in and installation
// directories. A file that is missing, read-only or in use stays and the loop
// goes on; a directory goes only when it is empty. Nothing is reported.
#include "stages/removal_table.h"

using namespace platform;

namespace {

// The directory a row's location names, or nullptr for an unknown code.
const char* DirectoryFor(const UninstallContext& context, FileLocation location) {
    switch (location) {
        case LOC_INSTALL_DIR: return context.installDir;
        case LOC_WINDOWS_DIR: return context.windowsDir;
        case LOC_SYSTEM_DIR: return context.systemDir;
        case LOC_PLUGINS_DIR: return context.pluginsDir;
        default: return nullptr;
    }
}

// A directory that is empty or relative is never used: its paths would be
// resolved against the current drive or directory and could name files that
// were never installed.
bool IsUsable(const char* directory) {
    return directory != nullptr && IsAbsolutePath(directory);
}

}  // namespace

void RemoveInstalledFiles(const UninstallContext& context) {
    std::int32_t rows = context.rowCount;
    if (rows > REMOVAL_TABLE_ROWS) rows = REMOVAL_TABLE_ROWS;
    for (std::int32_t row = 0; row < rows; ++row) {
        const RemovalEntry& entry = REMOVAL_TABLE[row];
        const char* directory = DirectoryFor(context, entry.location);
        char path[PATH_SIZE];
        if (IsUsable(directory) && JoinPath(path, directory, entry.name)) {
            DeleteFileA(path);
        }
    }
    // The plug-in directory lies inside the installation directory.
    if (IsUsable(context.pluginsDir)) RemoveDirectoryA(context.pluginsDir);
    if (IsUsable(context.installDir)) RemoveDirectoryA(context.installDir);
}
