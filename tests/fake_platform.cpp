#include "tests/fake_platform.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

using namespace platform;

namespace fake {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

struct Value {
    DWORD type;
    std::string bytes;
};

struct Key {
    std::string path;                    // as created
    std::map<std::string, Value> values; // by lower-case name
};

struct Node {
    std::string path;  // as created
    bool directory;
    bool locked;
};

struct Machine {
    Answers answers;
    std::vector<Call> calls;
    std::map<std::string, Key> keys;          // by lower-case path
    std::map<std::string, std::string> ini;   // "file|section|key" -> value
    std::map<std::string, std::string> iniNames;  // same key -> as written
    std::map<std::string, Node> nodes;        // by lower-case path
    std::map<std::uintptr_t, std::string> openKeys;  // handle -> lower path
    std::uintptr_t nextHandle = 0x1000;
    int loadedLibraries = 0;
};

Machine& M() {
    static Machine machine;
    return machine;
}

const std::uintptr_t SHELL_MODULE = 0x5E11;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOACCESS = 998;

std::string Quote(const char* text) {
    return text == nullptr ? std::string("NULL") : "\"" + std::string(text) + "\"";
}

std::string Hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

void Record(const std::string& function, const std::string& subject,
            const std::string& arguments) {
    M().calls.push_back({function, subject, function + "(" + arguments + ")"});
}

std::string KeyName(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) return "HKLM";
    auto open = M().openKeys.find(reinterpret_cast<std::uintptr_t>(key));
    if (open == M().openKeys.end()) return "<unknown key>";
    auto known = M().keys.find(open->second);
    return "<" + (known != M().keys.end() ? known->second.path : open->second) + ">";
}

bool Denied(const std::string& subject) {
    auto& failures = M().answers.failures;
    bool fails = false;
    if (!failures.empty()) {
        fails = failures.front();
        failures.pop_front();
    }
    return fails || M().answers.denied.count(Lower(subject)) != 0;
}

std::string Parent(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string IniId(const std::string& file, const std::string& section,
                  const std::string& key) {
    return Lower(file) + "|" + Lower(section) + "|" + Lower(key);
}

BOOL PLATFORM_WINAPI FakeGetSpecialFolderPath(HWND owner, char* path, int csidl,
                                              BOOL create) {
    Record("SHGetSpecialFolderPathA", "",
           std::string(owner == nullptr ? "NULL" : "owner") + ", " + Hex(static_cast<unsigned>(csidl)) +
               ", " + (create ? "TRUE" : "FALSE"));
    auto found = M().answers.shellFolders.find(csidl);
    if (found == M().answers.shellFolders.end()) return FALSE;
    const std::string& answer = found->second.path;
    const std::size_t length = std::min(answer.size() + 1, MAX_PATH);
    std::memcpy(path, answer.c_str(), length);
    return found->second.result;
}

}  // namespace

void Reset() { M() = Machine(); }
Answers& Answer() { return M().answers; }
const std::vector<Call>& Calls() { return M().calls; }
void ClearCalls() { M().calls.clear(); }

std::vector<std::string> CallTexts() {
    std::vector<std::string> texts;
    for (const Call& call : M().calls) texts.push_back(call.text);
    return texts;
}

std::vector<std::string> CallTexts(const std::set<std::string>& functions) {
    std::vector<std::string> texts;
    for (const Call& call : M().calls) {
        if (functions.count(call.function) != 0) texts.push_back(call.text);
    }
    return texts;
}

void AddKey(const std::string& path) {
    for (std::string at = path; !at.empty(); at = Parent(at)) {
        M().keys.emplace(Lower(at), Key{at, {}});
    }
}

void SetValue(const std::string& key, const std::string& name, DWORD type,
              const std::string& bytes) {
    AddKey(key);
    M().keys[Lower(key)].values[Lower(name)] = {type, bytes};
}

void SetDword(const std::string& key, const std::string& name, DWORD value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    SetValue(key, name, REG_DWORD, bytes);
}

void SetString(const std::string& key, const std::string& name,
               const std::string& text) {
    SetValue(key, name, REG_SZ, text + std::string(1, '\0'));
}

bool KeyExists(const std::string& path) { return M().keys.count(Lower(path)) != 0; }

std::vector<std::string> AllKeys() {
    std::vector<std::string> all;
    for (const auto& key : M().keys) all.push_back(key.second.path);
    return all;
}

void SetIniKey(const std::string& file, const std::string& section,
               const std::string& key, const std::string& value) {
    M().ini[IniId(file, section, key)] = value;
    M().iniNames[IniId(file, section, key)] = file + " [" + section + "] " + key;
}

bool IniKeyExists(const std::string& file, const std::string& section,
                  const std::string& key) {
    return M().ini.count(IniId(file, section, key)) != 0;
}

std::vector<std::string> AllIniKeys() {
    std::vector<std::string> all;
    for (const auto& entry : M().ini) all.push_back(M().iniNames[entry.first]);
    return all;
}

void AddDirectory(const std::string& path) {
    for (std::string at = path; !at.empty(); at = Parent(at)) {
        auto& node = M().nodes[Lower(at)];
        node.path = at;
        node.directory = true;
    }
}

void AddFile(const std::string& path) {
    AddDirectory(Parent(path));
    M().nodes[Lower(path)] = Node{path, false, false};
}

void LockFile(const std::string& path) { M().nodes[Lower(path)].locked = true; }

bool FileExists(const std::string& path) {
    auto found = M().nodes.find(Lower(path));
    return found != M().nodes.end() && !found->second.directory;
}

bool DirectoryExists(const std::string& path) {
    auto found = M().nodes.find(Lower(path));
    return found != M().nodes.end() && found->second.directory;
}

std::vector<std::string> AllPaths() {
    std::vector<std::string> all;
    for (const auto& node : M().nodes) all.push_back(node.second.path);
    return all;
}

int OpenKeyCount() { return static_cast<int>(M().openKeys.size()); }
int LoadedLibraryCount() { return M().loadedLibraries; }

}  // namespace fake

// The platform layer, as the logic sees it.
namespace platform {

using namespace fake;

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    Record("MessageBoxA", caption == nullptr ? "" : caption,
           std::string(owner == nullptr ? "NULL" : "owner") + ", " + Quote(text) + ", " +
               Quote(caption) + ", " + Hex(type));
    auto& queue = M().answers.messageBoxes;
    if (!queue.empty()) {
        const int result = queue.front();
        queue.pop_front();
        return result;
    }
    return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access,
                   HKEY* result) {
    Record("RegOpenKeyExA", subKey,
           KeyName(key) + ", " + Quote(subKey) + ", " + std::to_string(options) + ", " + Hex(access));
    if (M().answers.openKey) return *M().answers.openKey;
    if (key != HKEY_LOCAL_MACHINE || M().keys.count(Lower(subKey)) == 0) {
        return ERROR_FILE_NOT_FOUND;
    }
    const std::uintptr_t handle = M().nextHandle++;
    M().openKeys[handle] = Lower(subKey);
    *result = reinterpret_cast<HKEY>(handle);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved,
                      DWORD* type, unsigned char* data, DWORD* dataSize) {
    Record("RegQueryValueExA", valueName,
           KeyName(key) + ", " + Quote(valueName) + ", " + (reserved ? "reserved" : "NULL") +
               ", " + (type ? "type" : "NULL") + ", " +
               (dataSize ? std::to_string(*dataSize) : std::string("NULL")));
    auto override = M().answers.values.find(Lower(valueName));
    if (override != M().answers.values.end()) {
        const ValueAnswer& answer = override->second;
        if (data != nullptr && dataSize != nullptr) {
            std::memcpy(data, answer.bytes.data(), std::min<std::size_t>(answer.bytes.size(), *dataSize));
        }
        if (dataSize != nullptr) *dataSize = answer.reportedSize;
        return answer.result;
    }
    auto open = M().openKeys.find(reinterpret_cast<std::uintptr_t>(key));
    if (open == M().openKeys.end() || M().keys.count(open->second) == 0) return ERROR_INVALID_HANDLE;
    const auto& values = M().keys[open->second].values;
    auto found = values.find(Lower(valueName));
    if (found == values.end()) return ERROR_FILE_NOT_FOUND;
    const Value& value = found->second;
    if (type != nullptr) *type = value.type;
    if (dataSize == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_NOACCESS;
    const DWORD needed = static_cast<DWORD>(value.bytes.size());
    if (data == nullptr) {
        *dataSize = needed;
        return ERROR_SUCCESS;
    }
    if (*dataSize < needed) {
        *dataSize = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value.bytes.data(), needed);
    *dataSize = needed;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    Record("RegCloseKey", "", KeyName(key));
    return M().openKeys.erase(reinterpret_cast<std::uintptr_t>(key)) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
    Record("RegDeleteKeyA", subKey, KeyName(key) + ", " + Quote(subKey));
    const std::string path = Lower(subKey);
    if (Denied(path)) return ERROR_ACCESS_DENIED;
    if (key != HKEY_LOCAL_MACHINE || M().keys.count(path) == 0) return ERROR_FILE_NOT_FOUND;
    // The layer deletes the whole tree below the key.
    for (auto it = M().keys.begin(); it != M().keys.end();) {
        const bool below = it->first == path || it->first.rfind(path + "\\", 0) == 0;
        it = below ? M().keys.erase(it) : std::next(it);
    }
    return ERROR_SUCCESS;
}

BOOL WritePrivateProfileStringA(const char* section, const char* key,
                                const char* value, const char* fileName) {
    const std::string subject = std::string(fileName) + " [" + section + "] " + (key ? key : "");
    Record("WritePrivateProfileStringA", subject,
           Quote(section) + ", " + Quote(key) + ", " + Quote(value) + ", " + Quote(fileName));
    if (Denied(subject)) return FALSE;
    if (key == nullptr || value != nullptr) return TRUE;  // not used by the program
    M().ini.erase(IniId(fileName, section, key));
    return TRUE;
}

BOOL DeleteFileA(const char* path) {
    Record("DeleteFileA", path, Quote(path));
    if (Denied(path)) return FALSE;
    auto found = M().nodes.find(Lower(path));
    if (found == M().nodes.end() || found->second.directory || found->second.locked) {
        return FALSE;
    }
    M().nodes.erase(found);
    return TRUE;
}

BOOL RemoveDirectoryA(const char* path) {
    Record("RemoveDirectoryA", path, Quote(path));
    if (Denied(path)) return FALSE;
    const std::string lower = Lower(path);
    auto found = M().nodes.find(lower);
    if (found == M().nodes.end() || !found->second.directory) return FALSE;
    for (const auto& node : M().nodes) {
        if (node.first.rfind(lower + "\\", 0) == 0) return FALSE;  // not empty
    }
    M().nodes.erase(found);
    return TRUE;
}

namespace {
UINT FakeDirectory(const char* function, const std::string& directory,
                   const std::optional<UINT>& result, char* buffer, UINT size) {
    Record(function, "", std::to_string(size));
    if (directory.size() < size) std::memcpy(buffer, directory.c_str(), directory.size() + 1);
    if (result) return *result;
    // As Win32: the length copied, or the size needed when it does not fit.
    return static_cast<UINT>(directory.size() < size ? directory.size() : directory.size() + 1);
}
}  // namespace

UINT GetWindowsDirectoryA(char* buffer, UINT size) {
    return FakeDirectory("GetWindowsDirectoryA", M().answers.windowsDirectory,
                         M().answers.windowsDirectoryResult, buffer, size);
}

UINT GetSystemDirectoryA(char* buffer, UINT size) {
    return FakeDirectory("GetSystemDirectoryA", M().answers.systemDirectory,
                         M().answers.systemDirectoryResult, buffer, size);
}

HMODULE LoadLibraryA(const char* fileName) {
    Record("LoadLibraryA", fileName, Quote(fileName));
    if (!M().answers.shellLibraryPresent || Lower(fileName) != "shell32.dll") return nullptr;
    ++M().loadedLibraries;
    return reinterpret_cast<HMODULE>(SHELL_MODULE);
}

FARPROC GetProcAddress(HMODULE module, const char* procName) {
    Record("GetProcAddress", procName,
           std::string(reinterpret_cast<std::uintptr_t>(module) == SHELL_MODULE ? "SHELL32" : "<unknown module>") +
               ", " + Quote(procName));
    if (reinterpret_cast<std::uintptr_t>(module) != SHELL_MODULE ||
        !M().answers.shellFunctionPresent ||
        std::strcmp(procName, "SHGetSpecialFolderPathA") != 0) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(&FakeGetSpecialFolderPath);
}

BOOL FreeLibrary(HMODULE module) {
    const bool shell = reinterpret_cast<std::uintptr_t>(module) == SHELL_MODULE;
    Record("FreeLibrary", "", shell ? "SHELL32" : "<unknown module>");
    if (!shell) return FALSE;
    --M().loadedLibraries;
    return TRUE;
}

}  // namespace platform
