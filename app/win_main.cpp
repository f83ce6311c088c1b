// The GUI entry point hands the whole program over to RunUninstall.
#include "app/uninstall_context.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance,
                   LPSTR commandLine, int showCommand) {
    return RunUninstall(reinterpret_cast<platform::HINSTANCE>(instance),
                        reinterpret_cast<platform::HINSTANCE>(previousInstance),
                        commandLine, showCommand);
}

namespace {

// The command line after the program's own name, as WinMain receives it.
LPSTR ArgumentsOf(LPSTR line) {
    bool quoted = false;
    while (*line != '\0' && (quoted || (*line != ' ' && *line != '\t'))) {
        if (*line == '"') quoted = !quoted;
        ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

// The process starts here, not in the C runtime's startup code, which is
// left out of the link: the program uses nothing that it prepares (no
// arguments, environment, static constructors or exit handlers), and it would
// be most of the file's size. The loader may leave the stack aligned to 4
// bytes only, hence the realignment.
extern "C" void UninstallStartup();

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void UninstallStartup() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0
                         ? startup.wShowWindow
                         : SW_SHOWDEFAULT;
    ExitProcess(static_cast<UINT>(
        WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), show)));
}
