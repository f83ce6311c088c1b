// The yardstick for the uninstaller's wall time: a program that shows only
// its two message boxes and does nothing else.
#include "app/uninstall_context.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, UNINSTALL_CONFIRM_TEXT, UNINSTALL_CAPTION,
                MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    MessageBoxA(nullptr, UNINSTALL_COMPLETE_TEXT, UNINSTALL_CAPTION,
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
