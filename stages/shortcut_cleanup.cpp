// The shortcuts on the desktop, in the Start-menu group and in Quick Launch.
// Each folder is asked of the shell when its stage runs; a folder that comes
// back empty or relative is not used, so nothing is deleted relative to the
// current directory. Deletion results are ignored: a missing shortcut is
// passed over.
#include <cstring>

#include "platform/special_folder.h"
#include "stages/removal_table.h"

using namespace platform;

namespace {

constexpr const char SHORTCUT_NAME[] = "Orlatune.lnk";
constexpr const char SHORTCUT_EXTENSION[] = ".lnk";
constexpr const char START_MENU_GROUP[] = "Orlatune";
constexpr const char QUICK_LAUNCH_FOLDER[] =
    "Microsoft\\Internet Explorer\\Quick Launch";

// The folder's path in `folder`; false when there is none fit to use.
bool ResolveFolder(char (&folder)[PATH_SIZE], int csidl) {
    folder[0] = '\0';
    LookupSpecialFolder(nullptr, folder, csidl, FALSE);
    return IsAbsolutePath(folder);
}

void DeleteFileIn(const char* folder, const char* name) {
    char path[PATH_SIZE];
    if (JoinPath(path, folder, name)) DeleteFileA(path);
}

// A row's name without its extension (everything from the last dot on),
// followed by ".lnk".
bool ShortcutNameFor(char (&out)[PATH_SIZE], const char* fileName) {
    const char* dot = std::strrchr(fileName, '.');
    const std::size_t stem =
        dot != nullptr ? static_cast<std::size_t>(dot - fileName) : std::strlen(fileName);
    const TextPiece pieces[] = {
        {fileName, stem},
        {SHORTCUT_EXTENSION, sizeof SHORTCUT_EXTENSION - 1},
    };
    return ComposeBounded(out, sizeof out, pieces, 2);
}

}  // namespace

void RemoveDesktopShortcut() {
    char desktop[PATH_SIZE];
    if (ResolveFolder(desktop, CSIDL_DESKTOP)) DeleteFileIn(desktop, SHORTCUT_NAME);
}

void RemoveStartMenuGroup() {
    char programs[PATH_SIZE];
    char group[PATH_SIZE];
    if (!ResolveFolder(programs, CSIDL_PROGRAMS) ||
        !JoinPath(group, programs, START_MENU_GROUP)) {
        return;
    }
    for (std::int32_t row = 0; row < SHORTCUT_ROWS; ++row) {
        char name[PATH_SIZE];
        if (ShortcutNameFor(name, REMOVAL_TABLE[row].name)) DeleteFileIn(group, name);
    }
    // Goes only when empty: anything else the user put there keeps it.
    RemoveDirectoryA(group);
}

void RemoveQuickLaunchShortcut() {
    char appData[PATH_SIZE];
    char quickLaunch[PATH_SIZE];
    // The application-data folder has no fallback: without an answer from
    // the shell there is nothing to delete.
    if (ResolveFolder(appData, CSIDL_APPDATA) &&
        JoinPath(quickLaunch, appData, QUICK_LAUNCH_FOLDER)) {
        DeleteFileIn(quickLaunch, SHORTCUT_NAME);
    }
}
