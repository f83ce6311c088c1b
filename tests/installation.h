// A machine as the installer leaves it, laid down on the recording fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace installation {

constexpr const char PROGRAM_FILES[] = "C:\\Program Files";
constexpr const char INSTALL_DIR[] = "C:\\Program Files\\Orlatune";
constexpr const char PLUGINS_DIR[] = "C:\\Program Files\\Orlatune\\Plugins";
constexpr const char SYSTEM_DIR[] = "C:\\WINDOWS\\SYSTEM";
// The folders the fake's shell answers with, see LaySurroundings.
constexpr const char DESKTOP[] = "C:\\WINDOWS\\Profiles\\ann\\Desktop";
constexpr const char PROGRAMS[] = "C:\\WINDOWS\\Profiles\\ann\\Start Menu\\Programs";
constexpr const char APP_DATA[] = "C:\\WINDOWS\\Profiles\\ann\\Application Data";
constexpr const char QUICK_LAUNCH[] =
    "C:\\WINDOWS\\Profiles\\ann\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch";

// What the machine holds before the installer ran and must still hold after
// any run: other programs' keys, INI entries, files and shell folders. Also
// tells the fake's shell where the user's folders are.
void LaySurroundings();

// What the installer lays down for these option bits, with the record whose
// directory value is `directoryValue` (REG_SZ) and options value `options`
// (REG_DWORD).
void LayDown(std::uint32_t options,
             const std::string& directoryValue = std::string(INSTALL_DIR) + "\\");

// Everything on the fake machine, sorted: keys, INI keys, files and folders.
struct Snapshot {
    std::vector<std::string> keys;
    std::vector<std::string> iniKeys;
    std::vector<std::string> paths;
    bool operator==(const Snapshot& other) const {
        return keys == other.keys && iniKeys == other.iniKeys && paths == other.paths;
    }
};
Snapshot TakeSnapshot();

}  // namespace installation
