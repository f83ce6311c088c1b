// The path of one of the shell's special folders, asked of SHELL32.DLL at the
// moment of the lookup, with a fixed fallback for the folders that have one.
#pragma once

#include "platform/platform_services.h"

// Fills `destination` (MAX_PATH bytes, the caller's) with the folder's path.
// Where the shell gives no answer, `destination` holds the folder's fallback,
// or for a folder without one exactly what it held before the call.
void LookupSpecialFolder(platform::HWND owner, char* destination, int csidl,
                         platform::BOOL create);
