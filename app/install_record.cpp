#include "app/install_record.h"

#include <cstring>

using namespace platform;

bool ReadInstallRecord(UninstallContext& context) {
    HKEY key = nullptr;
    // Full access, as the record has always been opened; where it is refused
    // the run reports the key as unavailable.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RECORD_KEY, 0, KEY_ALL_ACCESS,
                      &key) != ERROR_SUCCESS) {
        return false;
    }

    // The value types are not asked for: the installer writes a DWORD and a
    // string, and whatever bytes are there are taken as such.
    unsigned char options[4] = {};
    DWORD size = sizeof options;
    if (RegQueryValueExA(key, RECORD_OPTIONS_VALUE, nullptr, nullptr, options,
                         &size) != ERROR_SUCCESS) {
        // A failed query counts as no value, whatever it left in the buffer.
        std::memset(options, 0, sizeof options);
    }
    context.options = static_cast<std::uint32_t>(options[0]) |
                      static_cast<std::uint32_t>(options[1]) << 8 |
                      static_cast<std::uint32_t>(options[2]) << 16 |
                      static_cast<std::uint32_t>(options[3]) << 24;

    std::memset(context.installDir, 0, sizeof context.installDir);
    size = sizeof context.installDir;
    const LONG read = RegQueryValueExA(
        key, RECORD_DIRECTORY_VALUE, nullptr, nullptr,
        reinterpret_cast<unsigned char*>(context.installDir), &size);
    // A failed query (a value longer than the buffer among them) and a value
    // that fills the whole buffer without a terminator both leave the
    // directory empty: it is never read past its end nor cut short.
    if (read != ERROR_SUCCESS ||
        BoundedLength(context.installDir, sizeof context.installDir) ==
            sizeof context.installDir) {
        std::memset(context.installDir, 0, sizeof context.installDir);
    }

    RegCloseKey(key);

    // One trailing backslash is cut; a second one stays.
    const std::size_t length = std::strlen(context.installDir);
    if (length > 0 && context.installDir[length - 1] == '\\') {
        context.installDir[length - 1] = '\0';
    }
    return true;
}

void RemoveInstallRecord() {
    // Best effort, like every removal: a key that is already gone is fine.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, RECORD_KEY);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_KEY);
}
