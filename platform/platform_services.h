// The Windows operations that the uninstaller uses, with their Win32 names
// and meanings. The logic reaches the operating system through this header
// alone: the Windows builds link platform_win32.cpp, the host tests link the
// recording fake in tests/.
//
// No windows.h here: the few types and constants the logic needs are declared
// in namespace platform, with the values Win32 gives them. A file that needs
// windows.h as well must include this header first, since windows.h defines
// most of these names as macros.
#pragma once

#ifdef _WINDOWS_
#error "include platform_services.h before windows.h"
#endif

#include <cstddef>
#include <cstdint>

#if defined(_WIN32) && defined(__i386__)
#define PLATFORM_WINAPI __attribute__((stdcall))
#else
#define PLATFORM_WINAPI
#endif

namespace platform {

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using REGSAM = DWORD;

struct OpaqueWindow;
struct OpaqueKey;
struct OpaqueModule;
using HWND = OpaqueWindow*;
using HKEY = OpaqueKey*;
using HMODULE = OpaqueModule*;
using HINSTANCE = HMODULE;
// A procedure found by name; cast to its real type before calling.
using FARPROC = void (*)();

// SHGetSpecialFolderPathA, bound at run time from SHELL32.DLL.
using SHGETSPECIALFOLDERPATHA = BOOL(PLATFORM_WINAPI*)(HWND owner, char* path,
                                                       int csidl, BOOL create);

constexpr std::size_t MAX_PATH = 260;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_MORE_DATA = 234;

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr int CSIDL_DESKTOP = 0x0000;
constexpr int CSIDL_PROGRAMS = 0x0002;
constexpr int CSIDL_APPDATA = 0x001A;
constexpr int CSIDL_PROGRAM_FILES = 0x0026;

// The predefined root key, with the handle value Win32 gives it.
inline HKEY const HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                   HKEY* result);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                      DWORD* type, unsigned char* data, DWORD* dataSize);
LONG RegCloseKey(HKEY key);
// Deletes the key together with every subkey below it, on every version of
// Windows, as the single-key deletion of the Windows 9x family did. A key
// without subkeys costs exactly one call of the system's RegDeleteKeyA.
LONG RegDeleteKeyA(HKEY key, const char* subKey);

BOOL WritePrivateProfileStringA(const char* section, const char* key,
                                const char* value, const char* fileName);

BOOL DeleteFileA(const char* path);
BOOL RemoveDirectoryA(const char* path);
UINT GetWindowsDirectoryA(char* buffer, UINT size);
UINT GetSystemDirectoryA(char* buffer, UINT size);

HMODULE LoadLibraryA(const char* fileName);
FARPROC GetProcAddress(HMODULE module, const char* procName);
BOOL FreeLibrary(HMODULE module);

}  // namespace platform
