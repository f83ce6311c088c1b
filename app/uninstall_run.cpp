// The run, from the confirmation to the completion message.
#include <cstring>

#include "app/install_record.h"
#include "app/uninstall_context.h"
#include "stages/removal_table.h"

using namespace platform;

namespace {

constexpr std::uint32_t STEP_ALWAYS = 0;

struct RemovalStep {
    std::uint32_t option;  // the option bit that asks for it, or STEP_ALWAYS
    void (*run)(const UninstallContext& context);
};

// Every registry and INI removal comes before any shortcut or file, and the
// application key goes only after it has been read and closed.
constexpr RemovalStep REMOVAL_STEPS[] = {
    {OPT_MCI_DRIVER, [](const UninstallContext&) { RemoveMciDriverRegistration(); }},
    {OPT_PL_TYPE, [](const UninstallContext&) { RemovePlAssociation(); }},
    {OPT_SPC_TYPE, [](const UninstallContext&) { RemoveSpcAssociation(); }},
    {STEP_ALWAYS, [](const UninstallContext&) { RemoveInstallRecord(); }},
    {OPT_DESKTOP_SHORTCUT, [](const UninstallContext&) { RemoveDesktopShortcut(); }},
    {OPT_START_MENU_GROUP, [](const UninstallContext&) { RemoveStartMenuGroup(); }},
    {OPT_QUICK_LAUNCH, [](const UninstallContext&) { RemoveQuickLaunchShortcut(); }},
    {STEP_ALWAYS, RemoveInstalledFiles},
};

// The system's directory in `directory`, or "" when the call failed or the
// directory would not fit with its terminator.
void ReadSystemDirectory(char (&directory)[PATH_SIZE],
                         UINT (*get)(char* buffer, UINT size)) {
    std::memset(directory, 0, sizeof directory);
    const UINT length = get(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory) directory[0] = '\0';
}

void DeriveDirectories(UninstallContext& context) {
    // The plug-in directory exists only below a usable installation
    // directory; one that would not fit is left empty, never cut short.
    if (IsAbsolutePath(context.installDir)) {
        JoinPath(context.pluginsDir, context.installDir, "Plugins");
    }
    ReadSystemDirectory(context.windowsDir, GetWindowsDirectoryA);
    ReadSystemDirectory(context.systemDir, GetSystemDirectoryA);
}

}  // namespace

int RunUninstall(HINSTANCE, HINSTANCE, char*, int) {
    // Only an explicit Yes goes on. No, a closed dialog and a dialog that
    // could not be shown at all (0) end the run with nothing changed.
    if (MessageBoxA(nullptr, UNINSTALL_CONFIRM_TEXT, UNINSTALL_CAPTION,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return 0;
    }

    UninstallContext context = {};
    if (!ReadInstallRecord(context)) {
        MessageBoxA(nullptr, UNINSTALL_FAILURE_TEXT, UNINSTALL_CAPTION,
                    MB_OK | MB_ICONERROR);
        return 0;
    }

    DeriveDirectories(context);
    context.rowCount =
        (context.options & OPT_MCI_DRIVER) != 0 ? ROWS_ALL : ROWS_WITHOUT_DRIVER;

    // No result of a removal is looked at: each is best effort, and the
    // completion message follows whatever happened.
    for (const RemovalStep& step : REMOVAL_STEPS) {
        if (step.option == STEP_ALWAYS || (context.options & step.option) != 0) {
            step.run(context);
        }
    }

    MessageBoxA(nullptr, UNINSTALL_COMPLETE_TEXT, UNINSTALL_CAPTION,
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
