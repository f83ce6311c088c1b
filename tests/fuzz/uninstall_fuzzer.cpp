// Whole runs of the uninstaller on the recording fake, driven by fuzzer
// bytes: the confirmation's answer, whether the record's key opens, the two
// values' results and raw bytes, the Windows and system directories, the
// shell's answers for each folder, and which deletions fail. Every run is
// compared with the run that the record and the platform's answers call for:
// the same calls in the same order, each deletion naming an absolute path that
// fits, and nothing else.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/uninstall_context.h"
#include "stages/removal_table.h"
#include "tests/fake_platform.h"

namespace {

const char RECORD[] = "SOFTWARE\\Kestrane\\Orlatune";

struct ValueInput {
    int mode;  // 0 absent, 1 on the machine, 2 a forced answer
    fake::ValueAnswer answer;  // mode 2: result, bytes, reported size
    std::string stored;        // mode 1
};

struct FolderInput {
    bool answered;
    fake::ShellAnswer answer;
};

struct Inputs {
    int confirm;
    bool opens;
    ValueInput options, directory;
    std::string windowsDir, systemDir;
    bool shellLibrary, shellFunction;
    FolderInput folders[3];  // desktop, programs, application data
};

const int FOLDER_IDS[3] = {0x00, 0x02, 0x1A};

ValueInput ReadValue(FuzzedDataProvider& in) {
    ValueInput value = {};
    value.mode = in.ConsumeIntegralInRange(0, 2);
    if (value.mode == 1) {
        value.stored = in.ConsumeRandomLengthString(300);
    } else if (value.mode == 2) {
        value.answer.result = in.ConsumeBool() ? 0 : in.ConsumeIntegral<int32_t>();
        value.answer.bytes = in.ConsumeRandomLengthString(300);
        value.answer.reportedSize = in.ConsumeIntegral<uint32_t>();
    }
    return value;
}

Inputs ReadInputs(FuzzedDataProvider& in) {
    Inputs x = {};
    const int answers[] = {6, 6, 6, 7, 0, -1, 1, 2};
    x.confirm = in.ConsumeBool() ? in.PickValueInArray(answers) : in.ConsumeIntegral<int>();
    x.opens = in.ConsumeBool();
    x.options = ReadValue(in);
    x.directory = ReadValue(in);
    x.windowsDir = in.ConsumeRandomLengthString(300);
    x.systemDir = in.ConsumeRandomLengthString(300);
    x.shellLibrary = in.ConsumeBool();
    x.shellFunction = in.ConsumeBool();
    for (FolderInput& folder : x.folders) {
        folder.answered = in.ConsumeBool();
        const int results[] = {1, 1, 0, 2, -1};
        folder.answer.result = in.ConsumeBool() ? in.PickValueInArray(results) : in.ConsumeIntegral<int>();
        folder.answer.path = in.ConsumeRandomLengthString(300);
    }
    return x;
}

void Apply(const Inputs& x, FuzzedDataProvider& in) {
    fake::Answer().messageBoxes = {x.confirm};
    if (x.opens) {
        fake::AddKey(RECORD);
    } else if (in.ConsumeBool()) {
        fake::AddKey(RECORD);  // there, but refused
        fake::Answer().openKey = in.ConsumeIntegralInRange<int32_t>(1, 1300);
    }
    const ValueInput* values[] = {&x.options, &x.directory};
    const char* names[] = {"Installation options", "Installation directory"};
    for (int i = 0; i < 2; ++i) {
        if (values[i]->mode == 1) {
            fake::SetValue(RECORD, names[i], in.ConsumeIntegral<uint32_t>(), values[i]->stored);
        } else if (values[i]->mode == 2) {
            fake::Answer().values[i == 0 ? "installation options" : "installation directory"] =
                values[i]->answer;
        }
    }
    fake::Answer().windowsDirectory = x.windowsDir;
    fake::Answer().systemDirectory = x.systemDir;
    fake::Answer().shellLibraryPresent = x.shellLibrary;
    fake::Answer().shellFunctionPresent = x.shellFunction;
    for (int i = 0; i < 3; ++i) {
        if (x.folders[i].answered) fake::Answer().shellFolders[FOLDER_IDS[i]] = x.folders[i].answer;
    }
    const uint64_t failures = in.ConsumeIntegral<uint64_t>();
    for (int i = 0; i < 64; ++i) fake::Answer().failures.push_back(((failures >> i) & 1) != 0);
}

// ------------------------------------------------------------ the oracle

// The bytes a query leaves in a zeroed buffer of `size` bytes.
std::string QueryBuffer(const ValueInput& value, std::size_t size, bool* ok) {
    std::string buffer(size, '\0');
    *ok = false;
    if (value.mode == 1 && value.stored.size() <= size) {
        buffer.replace(0, value.stored.size(), value.stored);
        *ok = true;
    } else if (value.mode == 2 && value.answer.result == 0) {
        const std::size_t n = std::min(value.answer.bytes.size(), size);
        buffer.replace(0, n, value.answer.bytes.substr(0, n));
        *ok = true;
    }
    return buffer;
}

std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

bool Absolute(const std::string& p) {
    const bool letter = p.size() >= 2 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
    if (letter && p[1] == ':') return p.size() == 2 || p[2] == '\\';
    return p.size() >= 2 && p[0] == '\\' && p[1] == '\\';
}

bool Fits(const std::string& path) { return path.size() < 260; }

std::string SystemDirectory(const std::string& given) {
    if (given.size() >= 260) return "";
    const std::string text = UpToNul(given);
    return given.empty() ? "" : text;  // a length of 0 means failure
}

struct Expected {
    std::vector<std::string> calls;  // "Function|subject"
    void Add(const std::string& function, const std::string& subject = "") {
        calls.push_back(function + "|" + subject);
    }
};

std::string Folder(const Inputs& x, int index) {
    const char* fallbacks[] = {"C:\\WINDOWS\\Desktop", "C:\\WINDOWS\\Start Menu\\Programs", ""};
    std::string folder = fallbacks[index];
    const FolderInput& f = x.folders[index];
    // The shell writes at most 260 bytes: an answer counts when they hold
    // its terminator.
    const bool terminated =
        f.answer.path.size() < 260 || f.answer.path.substr(0, 260).find('\0') != std::string::npos;
    if (x.shellLibrary && x.shellFunction && f.answered && f.answer.result == 1 && terminated) {
        folder = UpToNul(f.answer.path);
    }
    return folder;
}

void Lookup(Expected& e, const Inputs& x) {
    e.Add("LoadLibraryA", "SHELL32.DLL");
    if (!x.shellLibrary) return;
    e.Add("GetProcAddress", "SHGetSpecialFolderPathA");
    if (x.shellFunction) e.Add("SHGetSpecialFolderPathA");
    e.Add("FreeLibrary");
}

void DeleteIfFits(Expected& e, const std::string& path) {
    if (Fits(path)) e.Add("DeleteFileA", path);
}

Expected ExpectedRun(const Inputs& x, bool keyOpens) {
    Expected e;
    e.Add("MessageBoxA", "Orlatune UnInstall");
    if (x.confirm != 6) return e;
    e.Add("RegOpenKeyExA", RECORD);
    if (!keyOpens) {
        e.Add("MessageBoxA", "Orlatune UnInstall");
        return e;
    }
    e.Add("RegQueryValueExA", "Installation options");
    e.Add("RegQueryValueExA", "Installation directory");
    e.Add("RegCloseKey");
    e.Add("GetWindowsDirectoryA");
    e.Add("GetSystemDirectoryA");

    bool ok;
    const std::string raw = QueryBuffer(x.options, 4, &ok);
    uint32_t options = 0;
    for (int i = 0; i < 4; ++i) options |= static_cast<uint32_t>(static_cast<uint8_t>(raw[i])) << (8 * i);
    const std::string dirBuffer = QueryBuffer(x.directory, 260, &ok);
    std::string installDir = ok && dirBuffer.find('\0') != std::string::npos ? UpToNul(dirBuffer) : "";
    if (!installDir.empty() && installDir.back() == '\\') installDir.pop_back();
    const bool installUsable = Absolute(installDir);
    const std::string pluginsDir = installDir + "\\Plugins";
    const bool pluginsUsable = installUsable && Fits(pluginsDir);
    const std::string systemDir = SystemDirectory(x.systemDir);

    if (options & 0x01) {
        e.Add("WritePrivateProfileStringA", "system.ini [mci] vuz700udo");
        e.Add("WritePrivateProfileStringA", "win.ini [mci extensions] spc");
        for (char d = '0'; d <= '9'; ++d) {
            e.Add("WritePrivateProfileStringA", std::string("win.ini [mci extensions] sp") + d);
        }
        e.Add("RegDeleteKeyA", "SOFTWARE\\Kestrane\\TALVORN");
    }
    if (options & 0x02) {
        e.Add("RegDeleteKeyA", "SOFTWARE\\Classes\\.pl");
        e.Add("RegDeleteKeyA", "SOFTWARE\\Classes\\plfile");
    }
    if (options & 0x04) {
        e.Add("RegDeleteKeyA", "SOFTWARE\\Classes\\.spc");
        for (char d = '0'; d <= '9'; ++d) e.Add("RegDeleteKeyA", std::string("SOFTWARE\\Classes\\.sp") + d);
        e.Add("RegDeleteKeyA", "SOFTWARE\\Classes\\spcfile");
        e.Add("RegDeleteKeyA", "SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/spc");
    }
    e.Add("RegDeleteKeyA", RECORD);
    e.Add("RegDeleteKeyA", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune");
    if (options & 0x08) {
        Lookup(e, x);
        const std::string desktop = Folder(x, 0);
        if (Absolute(desktop)) DeleteIfFits(e, desktop + "\\Orlatune.lnk");
    }
    if (options & 0x10) {
        Lookup(e, x);
        const std::string group = Folder(x, 1) + "\\Orlatune";
        if (Absolute(Folder(x, 1)) && Fits(group)) {
            for (const char* name : {"Orlatune.lnk", "UnInstall.lnk", "Ramblings.lnk", "Quellin.lnk"}) {
                DeleteIfFits(e, group + "\\" + name);
            }
            e.Add("RemoveDirectoryA", group);
        }
    }
    if (options & 0x20) {
        Lookup(e, x);
        const std::string quickLaunch = Folder(x, 2) + "\\Microsoft\\Internet Explorer\\Quick Launch";
        if (Absolute(Folder(x, 2)) && Fits(quickLaunch)) DeleteIfFits(e, quickLaunch + "\\Orlatune.lnk");
    }
    const int rows = (options & 0x01) ? 25 : 23;
    for (int row = 0; row < rows; ++row) {
        const RemovalEntry& entry = REMOVAL_TABLE[row];
        if (entry.location == LOC_INSTALL_DIR && installUsable) DeleteIfFits(e, installDir + "\\" + entry.name);
        if (entry.location == LOC_PLUGINS_DIR && pluginsUsable) DeleteIfFits(e, pluginsDir + "\\" + entry.name);
        if (entry.location == LOC_SYSTEM_DIR && Absolute(systemDir)) DeleteIfFits(e, systemDir + "\\" + entry.name);
    }
    if (pluginsUsable) e.Add("RemoveDirectoryA", pluginsDir);
    if (installUsable) e.Add("RemoveDirectoryA", installDir);
    e.Add("MessageBoxA", "Orlatune UnInstall");
    return e;
}

[[noreturn]] void Fail(const std::string& what, const std::vector<std::string>& got,
                       const std::vector<std::string>& expected) {
    std::fprintf(stderr, "FINDING: %s\n-- got\n", what.c_str());
    for (const std::string& call : got) std::fprintf(stderr, "  %s\n", call.c_str());
    std::fprintf(stderr, "-- expected\n");
    for (const std::string& call : expected) std::fprintf(stderr, "  %s\n", call.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    fake::Reset();
    const Inputs x = ReadInputs(in);
    Apply(x, in);
    const bool keyOpens = fake::KeyExists(RECORD) && !fake::Answer().openKey;

    if (RunUninstall(nullptr, nullptr, nullptr, 0) != 0) Fail("exit code not 0", {}, {});

    std::vector<std::string> got;
    for (const fake::Call& call : fake::Calls()) {
        got.push_back(call.function + "|" + call.subject);
        const bool removal = call.function == "DeleteFileA" || call.function == "RemoveDirectoryA";
        if (removal && (!Absolute(call.subject) || !Fits(call.subject))) {
            Fail("relative or over-long path: " + call.subject, got, {});
        }
    }
    const Expected expected = ExpectedRun(x, keyOpens);
    if (got != expected.calls) Fail("calls differ from the record's run", got, expected.calls);
    if (fake::OpenKeyCount() != 0) Fail("a registry key left open", got, {});
    if (fake::LoadedLibraryCount() != 0) Fail("a library left loaded", got, {});
    return 0;
}
