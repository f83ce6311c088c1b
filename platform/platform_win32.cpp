// The platform layer over the real Win32 API. Each operation passes its
// arguments and its result straight through, but for the key deletion, which
// also takes the subkeys.
#include "platform/platform_services.h"

#include <windows.h>

namespace {

::HKEY ToWin(platform::HKEY key) { return reinterpret_cast<::HKEY>(key); }
::HWND ToWin(platform::HWND window) { return reinterpret_cast<::HWND>(window); }
::HMODULE ToWin(platform::HMODULE module) {
    return reinterpret_cast<::HMODULE>(module);
}

// The deepest key tree that is followed; the registry itself allows 512
// levels, the keys this program deletes have a handful.
constexpr int KEY_TREE_DEPTH_LIMIT = 64;

// Deletes `subKey` of `parent` with everything below it. The system's
// RegDeleteKeyA is tried first, so a key without subkeys costs one call; the
// NT family refuses a key that has subkeys, and those are then deleted one by
// one, deepest first. RegDeleteTreeA is not used: Windows XP lacks it.
LONG DeleteKeyTree(::HKEY parent, const char* subKey, int depth) {
    const LONG first = ::RegDeleteKeyA(parent, subKey);
    if (first == ERROR_SUCCESS || first == ERROR_FILE_NOT_FOUND ||
        depth >= KEY_TREE_DEPTH_LIMIT) {
        return first;
    }
    ::HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, subKey, 0, KEY_ENUMERATE_SUB_KEYS | DELETE,
                        &key) != ERROR_SUCCESS) {
        return first;
    }
    // Always take the first subkey left; one that cannot be deleted is
    // stepped over so the loop ends.
    DWORD index = 0;
    for (;;) {
        char name[256];  // a key name has at most 255 characters
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr,
                            nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (DeleteKeyTree(key, name, depth + 1) != ERROR_SUCCESS) ++index;
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(parent, subKey);
}

}  // namespace

namespace platform {

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(ToWin(owner), text, caption, type);
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                   HKEY* result) {
    ::HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(ToWin(key), subKey, options, access, &opened);
    if (status == ERROR_SUCCESS) *result = reinterpret_cast<HKEY>(opened);
    return status;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                      DWORD* type, unsigned char* data, DWORD* dataSize) {
    static_assert(sizeof(DWORD) == sizeof(::DWORD), "DWORD is 32 bits");
    return ::RegQueryValueExA(ToWin(key), valueName,
                              reinterpret_cast<::LPDWORD>(reserved),
                              reinterpret_cast<::LPDWORD>(type), data,
                              reinterpret_cast<::LPDWORD>(dataSize));
}

LONG RegCloseKey(HKEY key) { return ::RegCloseKey(ToWin(key)); }

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
    return DeleteKeyTree(ToWin(key), subKey, 0);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key,
                                const char* value, const char* fileName) {
    return ::WritePrivateProfileStringA(section, key, value, fileName);
}

BOOL DeleteFileA(const char* path) { return ::DeleteFileA(path); }

BOOL RemoveDirectoryA(const char* path) { return ::RemoveDirectoryA(path); }

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    return ::GetWindowsDirectoryA(buffer, size);
}

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    return ::GetSystemDirectoryA(buffer, size);
}

HMODULE LoadLibraryA(const char* fileName) {
    return reinterpret_cast<HMODULE>(::LoadLibraryA(fileName));
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    return reinterpret_cast<FARPROC>(::GetProcAddress(ToWin(module), procName));
}

BOOL FreeLibrary(HMODULE module) { return ::FreeLibrary(ToWin(module)); }

}  // namespace platform
