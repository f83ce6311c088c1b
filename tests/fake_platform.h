// The recording fake of the platform layer, shared by every host test.
//
// It models a small Windows machine: a registry tree with values, INI files
// with sections and keys, files and directories, all names compared without
// regard to case. Every call of the layer is recorded with its arguments, in
// order, and the answers of the calls that the machine cannot decide by
// itself (the dialogs, the system directories, the shell) are set by the test.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform_services.h"

namespace fake {

using platform::BOOL;
using platform::DWORD;
using platform::LONG;
using platform::UINT;

constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

struct Call {
    std::string function;  // "DeleteFileA"
    std::string subject;   // the path, key or INI entry acted on, else ""
    std::string text;      // the whole call with its arguments
};

// What a RegQueryValueExA of one value answers instead of the machine: the
// result, the bytes written into the caller's buffer (never more than the
// size it passed) and the size reported back.
struct ValueAnswer {
    LONG result;
    std::string bytes;
    DWORD reportedSize;
};

// What SHGetSpecialFolderPathA answers for one folder. `path` is written into
// the caller's buffer (at most 260 bytes, terminated only if it fits) whatever
// the result, so that a failed call that leaves junk behind can be modelled.
struct ShellAnswer {
    BOOL result;
    std::string path;
};

struct Answers {
    // Answers of successive MessageBoxA calls; once they run out, a Yes/No
    // box answers IDYES and any other box IDOK.
    std::deque<int> messageBoxes;
    std::optional<LONG> openKey;  // instead of the machine's answer
    std::map<std::string, ValueAnswer> values;  // by lower-case value name
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    std::optional<UINT> windowsDirectoryResult;  // instead of the length
    std::optional<UINT> systemDirectoryResult;
    bool shellLibraryPresent = true;
    bool shellFunctionPresent = true;
    std::map<int, ShellAnswer> shellFolders;  // a folder not here: FALSE
    // Deletions and removals of these subjects (lower case) fail.
    std::set<std::string> denied;
    // Whether each deletion or removal in turn (registry key, INI key, file,
    // directory) fails whatever the machine holds; false once used up.
    std::deque<bool> failures;
};

// Forgets every call, empties the machine and restores the default answers.
void Reset();
Answers& Answer();

const std::vector<Call>& Calls();
void ClearCalls();  // the machine and the answers stay
std::vector<std::string> CallTexts();
// The calls of one function, or of several, in order.
std::vector<std::string> CallTexts(const std::set<std::string>& functions);

// The machine.
void AddKey(const std::string& path);  // with its parents
void SetValue(const std::string& key, const std::string& name, DWORD type,
              const std::string& bytes);
void SetDword(const std::string& key, const std::string& name, DWORD value);
void SetString(const std::string& key, const std::string& name,
               const std::string& text);  // stored with its terminator
bool KeyExists(const std::string& path);
std::vector<std::string> AllKeys();

void SetIniKey(const std::string& file, const std::string& section,
               const std::string& key, const std::string& value);
bool IniKeyExists(const std::string& file, const std::string& section,
                  const std::string& key);
std::vector<std::string> AllIniKeys();  // "file [section] key"

void AddDirectory(const std::string& path);  // with its parents
void AddFile(const std::string& path);       // with its parent directories
// A file that DeleteFileA refuses, as for one in use or read-only.
void LockFile(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::vector<std::string> AllPaths();  // files and directories

// Keys opened and not yet closed, and libraries loaded and not yet freed.
int OpenKeyCount();
int LoadedLibraryCount();

}  // namespace fake
