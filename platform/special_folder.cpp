#include "platform/special_folder.h"

#include "platform/path_buffer.h"

using namespace platform;

namespace {

struct FolderFallback {
    int csidl;
    const char* path;
};

constexpr FolderFallback FOLDER_FALLBACKS[] = {
    {CSIDL_DESKTOP, "C:\\WINDOWS\\Desktop"},
    {CSIDL_PROGRAMS, "C:\\WINDOWS\\Start Menu\\Programs"},
    {CSIDL_PROGRAM_FILES, "C:\\Program Files"},
};

constexpr const char SHELL_LIBRARY[] = "SHELL32.DLL";
constexpr const char SHELL_FOLDER_FUNCTION[] = "SHGetSpecialFolderPathA";

}  // namespace

void LookupSpecialFolder(HWND owner, char* destination, int csidl,
                         BOOL create) {
    for (const FolderFallback& fallback : FOLDER_FALLBACKS) {
        if (fallback.csidl == csidl) CopyText(destination, PATH_SIZE, fallback.path);
    }

    HMODULE shell = LoadLibraryA(SHELL_LIBRARY);
    if (shell == nullptr) return;

    FARPROC found = GetProcAddress(shell, SHELL_FOLDER_FUNCTION);
    if (found != nullptr) {
        auto getFolderPath = reinterpret_cast<SHGETSPECIALFOLDERPATHA>(found);
        char answer[PATH_SIZE] = {};
        // Only a result of exactly 1 is an answer, and only one that ends
        // within the buffer: a path without its terminator could be cut short.
        if (getFolderPath(owner, answer, csidl, create) == 1 &&
            BoundedLength(answer, PATH_SIZE) < PATH_SIZE) {
            CopyText(destination, PATH_SIZE, answer);
        }
    }
    FreeLibrary(shell);
}
