// The GUI entry point hands the whole program over to RunUninstall.
#include "app/uninstall_context.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance,
                   LPSTR commandLine, int showCommand) {
    return RunUninstall(reinterpret_cast<platform::HINSTANCE>(instance),
                        reinterpret_cast<platform::HINSTANCE>(previousInstance),
                        commandLine, showCommand);
}
