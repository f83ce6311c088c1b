// End-to-end driver, a Windows program of the test suite. In a fresh Wine
// prefix it does what the installer and then a user would do: lays down an
// installation, starts UnInstall.exe from the installation directory, finds
// each message box by its caption, reads and answers it, and checks the
// machine afterwards.
//
//   e2e_driver CASE      run one case; exit code 0 when every check passed
//   e2e_driver demo DIR  lay down a typical installation, run the uninstaller
//                        (answering its boxes only with --answer, saving a
//                        bitmap of each into DIR), and print what went
//   e2e_driver bench EXE RUNS [--flat] [--relay]
//                        times RUNS runs of EXE (copied in as UnInstall.exe)
//                        on a full installation, answering Yes and OK; with
//                        --flat no key has subkeys, with --relay the program
//                        runs under Wine's relay trace
//   e2e_driver list      the names of the cases
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- cases

struct Case {
    const char* name;
    DWORD options = 0x3F;
    bool record = true;
    std::string directoryValue = "C:\\Program Files\\Orlatune\\";
    int confirmAnswer = IDYES;
    bool display = true;        // a display the boxes can be shown on
    bool secondRun = false;     // run the uninstaller again afterwards
    bool holdFileOpen = false;  // "Hints.hlp" open in this process, no sharing
    bool readOnlyFile = false;  // "Ramblings.doc" read-only
    bool userFiles = false;     // the user's own files in both directories
    bool extraShortcut = false; // the user's own shortcut in the group
    bool deepRecord = false;    // the record key with subkeys of its own
    bool strays = true;         // files where a wrongly formed path would land
    bool subkeys = true;        // registrations with subkeys, as real ones have
};

std::vector<Case> Cases() {
    std::vector<Case> cases;
    auto add = [&](const char* name) -> Case& {
        cases.push_back(Case());
        cases.back().name = name;
        return cases.back();
    };
    add("all_bits");
    add("options_0").options = 0;
    add("driver_bit_only").options = 0x01;
    add("all_but_driver").options = 0x3E;
    add("pl_type_only").options = 0x02;
    add("spc_type_only").options = 0x04;
    add("desktop_only").options = 0x08;
    add("start_menu_only").options = 0x10;
    add("quick_launch_only").options = 0x20;
    add("meaningless_bits").options = 0xFFFFFFC8;
    add("answer_no").confirmAnswer = IDNO;
    add("record_missing").record = false;
    add("second_run").secondRun = true;
    add("directory_without_backslash").directoryValue = "C:\\Program Files\\Orlatune";
    add("directory_with_two_backslashes").directoryValue = "C:\\Program Files\\Orlatune\\\\";
    add("directory_empty").directoryValue = "";
    add("directory_relative").directoryValue = "Program Files\\Orlatune\\";
    add("file_held_open").holdFileOpen = true;
    add("read_only_file").readOnlyFile = true;
    add("user_files").userFiles = true;
    add("extra_start_menu_shortcut").extraShortcut = true;
    add("record_with_subkeys").deepRecord = true;
    add("no_display").display = false;
    return cases;
}

// ---------------------------------------------------------------- results

int g_failures = 0;

void Check(bool ok, const std::string& what) {
    if (!ok) ++g_failures;
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
}

void Fatal(const std::string& what) {
    std::printf("FAIL %s (error %lu)\n", what.c_str(), GetLastError());
    std::fflush(stdout);
    std::exit(2);
}

// ---------------------------------------------------------------- the machine

enum Kind { INI_KEY, REG_KEY, FILE_ITEM, DIRECTORY };

struct Item {
    Kind kind;
    std::string where;       // path or key; for INI "file|section|key"
    bool installed;          // laid down by the installer (else: the user's)
    bool removable = true;   // the uninstaller may remove it in this case
};

const char* const INI_SPC[] = {"spc", "sp0", "sp1", "sp2", "sp3", "sp4",
                               "sp5", "sp6", "sp7", "sp8", "sp9"};

const char* const TABLE[][2] = {
    {"I", "Orlatune.exe"}, {"I", "UnInstall.exe"}, {"I", "Ramblings.doc"},
    {"I", "Quellin.dll"}, {"I", "TORVEX.DLL"}, {"I", "PRESSA.DLL"},
    {"I", "EXPANDA.DLL"}, {"I", "EXPANDB.DLL"}, {"I", "SPECTRA.DLL"},
    {"I", "Orlatune.chm"}, {"I", "Hints.hlp"}, {"I", "Orlatune Homepage.url"},
    {"I", "EMail Kestrane.url"}, {"I", "Brenmoor SPC Archive.url"},
    {"I", "Ferrowave Homepage.url"}, {"I", "Quellin.html"}, {"I", "Quellin.h"},
    {"I", "Quellin.lib"}, {"I", "TORVEX.h"}, {"P", "PX_LUMEN.DLL"},
    {"S", "SNDCORE.DLL"}, {"S", "SRCPLUG.DLL"}, {"S", "SINKPLUG.DLL"},
    {"S", "TALVORN.DRV"}, {"S", "TALVORNDLG.DLL"},
};

const char INSTALL_DIR[] = "C:\\Program Files\\Orlatune";
const char PLUGINS_DIR[] = "C:\\Program Files\\Orlatune\\Plugins";

std::string Folder(int csidl) {
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE)) Fatal("no special folder");
    return path;
}

std::string SystemDirectory() {
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string QuickLaunch() {
    return Folder(CSIDL_APPDATA) + "\\Microsoft\\Internet Explorer\\Quick Launch";
}

// Everything of the installation and around it, in the order in which the
// uninstaller removes what it removes; the user's things come last.
std::vector<Item> Inventory(const Case& c) {
    std::vector<Item> items;
    const DWORD o = c.options;
    items.push_back({INI_KEY, "system.ini|mci|vuz700udo", (o & 1) != 0});
    for (const char* key : INI_SPC) {
        items.push_back({INI_KEY, std::string("win.ini|mci extensions|") + key, (o & 1) != 0});
    }
    items.push_back({REG_KEY, "SOFTWARE\\Kestrane\\TALVORN", (o & 1) != 0});
    items.push_back({REG_KEY, "SOFTWARE\\Classes\\.pl", (o & 2) != 0});
    items.push_back({REG_KEY, "SOFTWARE\\Classes\\plfile", (o & 2) != 0});
    items.push_back({REG_KEY, "SOFTWARE\\Classes\\.spc", (o & 4) != 0});
    for (int digit = 0; digit < 10; ++digit) {
        items.push_back({REG_KEY, "SOFTWARE\\Classes\\.sp" + std::to_string(digit), (o & 4) != 0});
    }
    items.push_back({REG_KEY, "SOFTWARE\\Classes\\spcfile", (o & 4) != 0});
    items.push_back({REG_KEY, "SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/spc", (o & 4) != 0});
    items.push_back({REG_KEY, "SOFTWARE\\Kestrane\\Orlatune", c.record});
    items.push_back({REG_KEY, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune", true});
    items.push_back({FILE_ITEM, Folder(CSIDL_DESKTOP) + "\\Orlatune.lnk", (o & 8) != 0});
    const std::string group = Folder(CSIDL_PROGRAMS) + "\\Orlatune";
    for (const char* name : {"Orlatune.lnk", "UnInstall.lnk", "Ramblings.lnk", "Quellin.lnk"}) {
        items.push_back({FILE_ITEM, group + "\\" + name, (o & 0x10) != 0});
    }
    items.push_back({DIRECTORY, group, (o & 0x10) != 0});
    items.push_back({FILE_ITEM, QuickLaunch() + "\\Orlatune.lnk", (o & 0x20) != 0});
    // The installer always copies the driver's files; they stay when the
    // record says the driver was not installed.
    const std::string system = SystemDirectory();
    for (int row = 0; row < 25; ++row) {
        const char where = TABLE[row][0][0];
        const std::string dir = where == 'I' ? INSTALL_DIR : where == 'P' ? PLUGINS_DIR : system;
        Item item = {FILE_ITEM, dir + "\\" + TABLE[row][1], true};
        item.removable = row < ((o & 1) != 0 ? 25 : 23);
        items.push_back(item);
    }
    items.push_back({DIRECTORY, PLUGINS_DIR, true});
    items.push_back({DIRECTORY, INSTALL_DIR, true});

    // The user's and other programs' things, which must all survive.
    auto keep = [&](Kind kind, const std::string& where) {
        Item item = {kind, where, false};
        item.removable = false;
        items.push_back(item);
    };
    keep(INI_KEY, "system.ini|mci|orlatune-neighbour");
    keep(INI_KEY, "win.ini|mci extensions|wav");
    keep(INI_KEY, "win.ini|mci extensions|sp10");
    keep(REG_KEY, "SOFTWARE\\Kestrane\\Other Product");
    keep(REG_KEY, "SOFTWARE\\Classes\\.plx");
    keep(REG_KEY, "SOFTWARE\\Classes\\.sp10");
    keep(REG_KEY, "SOFTWARE\\Classes\\plfile2");
    keep(REG_KEY, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune2");
    keep(FILE_ITEM, "C:\\windows\\Orlatune.exe");
    keep(FILE_ITEM, "C:\\Program Files\\Other\\Orlatune.exe");
    keep(FILE_ITEM, Folder(CSIDL_DESKTOP) + "\\Other.lnk");
    keep(FILE_ITEM, Folder(CSIDL_PROGRAMS) + "\\Other\\Orlatune.lnk");
    keep(FILE_ITEM, QuickLaunch() + "\\Other.lnk");
    keep(FILE_ITEM, system + "\\TALVORN.INI");
    // Where paths from an empty or relative directory would have landed:
    // the root of the current drive, and below the current directory.
    if (c.strays) {
        keep(FILE_ITEM, "C:\\Orlatune.exe");
        keep(FILE_ITEM, "C:\\Plugins\\PX_LUMEN.DLL");
        keep(FILE_ITEM, std::string(INSTALL_DIR) + "\\Program Files\\Orlatune\\Quellin.dll");
    }
    if (c.userFiles) {
        keep(FILE_ITEM, std::string(INSTALL_DIR) + "\\My Playlist.pl");
        keep(FILE_ITEM, std::string(INSTALL_DIR) + "\\Skins\\Dark.skn");
        keep(FILE_ITEM, std::string(PLUGINS_DIR) + "\\PX_USER.DLL");
    }
    if (c.extraShortcut) keep(FILE_ITEM, group + "\\My notes.lnk");
    return items;
}

std::string Field(const std::string& where, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) start = where.find('|', start) + 1;
    return where.substr(start, where.find('|', start) - start);
}

bool Exists(const Item& item) {
    switch (item.kind) {
        case INI_KEY: {
            char value[64];
            GetPrivateProfileStringA(Field(item.where, 1).c_str(), Field(item.where, 2).c_str(),
                                     "<absent>", value, sizeof value, Field(item.where, 0).c_str());
            return std::strcmp(value, "<absent>") != 0;
        }
        case REG_KEY: {
            HKEY key;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, item.where.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
                return false;
            }
            RegCloseKey(key);
            return true;
        }
        case FILE_ITEM: {
            const DWORD a = GetFileAttributesA(item.where.c_str());
            return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
        }
        case DIRECTORY: {
            const DWORD a = GetFileAttributesA(item.where.c_str());
            return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
        }
    }
    return false;
}

const char* KindName(Kind kind) {
    switch (kind) {
        case INI_KEY: return "INI key";
        case REG_KEY: return "registry key";
        case FILE_ITEM: return "file";
        default: return "directory";
    }
}

void SetString(const std::string& key, const char* name, const std::string& value) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
        Fatal("cannot create " + key);
    }
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

void MakeDirectories(const std::string& path) {
    for (std::size_t at = 3; (at = path.find('\\', at)) != std::string::npos; ++at) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

void WriteFile(const std::string& path, const std::string& content) {
    MakeDirectories(path.substr(0, path.find_last_of('\\')));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fatal("cannot write " + path);
    DWORD written;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

// Lays down what the installer would have, and the user's things.
void LayDown(const Case& c, const std::vector<Item>& items) {
    for (const Item& item : items) {
        if (!item.installed && item.removable) continue;  // not installed in this case
        switch (item.kind) {
            case INI_KEY:
                WritePrivateProfileStringA(Field(item.where, 1).c_str(), Field(item.where, 2).c_str(),
                                           "TALVORN.DRV", Field(item.where, 0).c_str());
                break;
            case REG_KEY:
                SetString(item.where, "", "Orlatune");
                break;
            case FILE_ITEM:
                WriteFile(item.where, "installed by the test: " + item.where);
                break;
            case DIRECTORY:
                MakeDirectories(item.where);
                break;
        }
    }
    // Registrations as real ones are: with subkeys and values.
    if ((c.options & 2) != 0 && c.subkeys) {
        SetString("SOFTWARE\\Classes\\plfile\\shell\\open\\command", "",
                  "\"C:\\Program Files\\Orlatune\\Orlatune.exe\" \"%1\"");
        SetString("SOFTWARE\\Classes\\plfile\\DefaultIcon", "", "C:\\Program Files\\Orlatune\\Orlatune.exe,1");
    }
    if ((c.options & 4) != 0 && c.subkeys) {
        SetString("SOFTWARE\\Classes\\spcfile\\shell\\open\\command", "",
                  "\"C:\\Program Files\\Orlatune\\Orlatune.exe\" \"%1\"");
        SetString("SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/spc", "Extension", ".spc");
    }
    if ((c.options & 1) != 0) SetString("SOFTWARE\\Kestrane\\TALVORN", "Frequency", "32000");
    SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune", "UninstallString",
              std::string(INSTALL_DIR) + "\\UnInstall.exe");
    if (c.record) {
        const char* record = "SOFTWARE\\Kestrane\\Orlatune";
        SetString(record, "Installation directory", c.directoryValue);
        HKEY key;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, record, 0, KEY_ALL_ACCESS, &key);
        RegSetValueExA(key, "Installation options", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&c.options), sizeof c.options);
        RegCloseKey(key);
        if (c.deepRecord) {
            SetString(std::string(record) + "\\Recent Files\\Playlists\\Last", "1", "C:\\a.pl");
            SetString(std::string(record) + "\\Window", "Left", "10");
        }
    }
}

// ---------------------------------------------------------------- dialogs

struct Dialog {
    std::string text;
    std::vector<std::string> buttons;
    std::string defaultButton;
};

struct FindData {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    FindData* data = reinterpret_cast<FindData*>(param);
    char caption[64] = "";
    char cls[16] = "";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, cls, sizeof cls);
    if (process == data->process && IsWindowVisible(window) &&
        std::strcmp(caption, "Orlatune UnInstall") == 0 && std::strcmp(cls, "#32770") == 0) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM param) {
    Dialog* dialog = reinterpret_cast<Dialog*>(param);
    char cls[16] = "";
    char text[1024] = "";
    GetClassNameA(control, cls, sizeof cls);
    GetWindowTextA(control, text, sizeof text);
    if (_stricmp(cls, "Static") == 0 && text[0] != '\0') dialog->text = text;
    if (_stricmp(cls, "Button") == 0 && IsWindowVisible(control)) {
        dialog->buttons.push_back(text);
        if ((GetWindowLongA(control, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) dialog->defaultButton = text;
    }
    return TRUE;
}

// Saves the window as it is on the screen, as a 24-bit bitmap file.
void SaveBitmap(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(stride * static_cast<DWORD>(height), '\0');
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), &pixels[0],
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes += pixels;
    WriteFile(path, bytes);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::vector<Dialog> dialogs;
};

// Starts UnInstall.exe from the installation directory as a user would and
// answers its boxes: `confirm` to the first, OK to the others. With answer
// false the user at the display answers them.
RunResult RunUninstaller(int confirm, bool answer, const std::string& screenshots) {
    const std::string exe = std::string(INSTALL_DIR) + "\\UnInstall.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        INSTALL_DIR, &startup, &process)) {
        Fatal("cannot start " + exe);
    }
    RunResult result;
    HWND answered = nullptr;
    const DWORD deadline = GetTickCount() + (answer ? 30000 : 600000);
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
        if (GetTickCount() > deadline) {
            TerminateProcess(process.hProcess, 99);
            Check(false, "the uninstaller ends in time");
            break;
        }
        FindData find = {process.dwProcessId, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&find));
        if (find.found == nullptr || find.found == answered) continue;
        if (!screenshots.empty()) Sleep(200);  // let it finish drawing
        Dialog dialog;
        EnumChildWindows(find.found, ReadControl, reinterpret_cast<LPARAM>(&dialog));
        result.dialogs.push_back(dialog);
        if (!screenshots.empty()) {
            SaveBitmap(find.found, screenshots + "\\dialog-" + std::to_string(result.dialogs.size()) + ".bmp");
        }
        answered = find.found;
        if (answer) {
            const int id = result.dialogs.size() == 1 ? confirm : IDOK;
            PostMessageA(find.found, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(find.found, id)));
        }
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : ", ") + part;
    return joined;
}

const char CONFIRM_TEXT[] = "Are you sure you want to remove Orlatune?";
const char FAILURE_TEXT[] = "Failed to open the Orlatune registry key.";
const char COMPLETE_TEXT[] =
    "Uninstallation complete. Note, however, that Windows does not allow programs to delete "
    "themselves (commit suicide). So you will have to remove the \"UnInstall.exe\" file. Sorry "
    "it had to come to this.";

void CheckDialogs(const RunResult& run, const std::vector<const char*>& texts) {
    Check(run.exitCode == 0, "exit code 0 (got " + std::to_string(run.exitCode) + ")");
    Check(run.dialogs.size() == texts.size(),
          std::to_string(texts.size()) + " message boxes (got " + std::to_string(run.dialogs.size()) + ")");
    for (std::size_t i = 0; i < run.dialogs.size() && i < texts.size(); ++i) {
        const Dialog& d = run.dialogs[i];
        const bool question = std::strcmp(texts[i], CONFIRM_TEXT) == 0;
        Check(d.text == texts[i], "box " + std::to_string(i + 1) + " says \"" + d.text + "\"");
        const std::string buttons = Join(d.buttons);
        Check(buttons == (question ? "&Yes, &No" : "OK"), "box " + std::to_string(i + 1) + " buttons " + buttons);
        Check(d.defaultButton == (question ? "&No" : "OK"),
              "box " + std::to_string(i + 1) + " default button " + d.defaultButton);
    }
}

std::vector<bool> States(const std::vector<Item>& items) {
    std::vector<bool> states;
    for (const Item& item : items) states.push_back(Exists(item));
    return states;
}

// ---------------------------------------------------------------- one case

// The UnInstall.exe built beside this driver.
std::string BuiltUninstaller() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.find_last_of('\\')) + "\\UnInstall.exe";
}

// Copies `exe` into the installation directory as UnInstall.exe, as the
// installer does; returns where it went.
std::string InstallUninstaller(const std::string& exe) {
    const std::string target = std::string(INSTALL_DIR) + "\\UnInstall.exe";
    if (!CopyFileA(exe.c_str(), target.c_str(), FALSE)) Fatal("cannot copy " + exe);
    return target;
}

int RunCase(const Case& c) {
    std::vector<Item> items = Inventory(c);
    LayDown(c, items);

    // Deleted by the uninstaller while it runs? Windows refuses to delete the
    // image of a running program, and so does Wine.
    const std::string running = InstallUninstaller(BuiltUninstaller());

    HANDLE held = INVALID_HANDLE_VALUE;
    const std::string heldPath = std::string(INSTALL_DIR) + "\\Hints.hlp";
    const std::string readOnlyPath = std::string(INSTALL_DIR) + "\\Ramblings.doc";
    if (c.holdFileOpen) {
        held = CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (held == INVALID_HANDLE_VALUE) Fatal("cannot hold " + heldPath);
    }
    if (c.readOnlyFile) SetFileAttributesA(readOnlyPath.c_str(), FILE_ATTRIBUTE_READONLY);

    const std::vector<bool> before = States(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].installed || !items[i].removable) {
            if (!before[i]) Fatal(std::string("laid down but not there: ") + items[i].where);
        }
    }

    const RunResult run = RunUninstaller(c.confirmAnswer, true, "");
    const std::vector<bool> after = States(items);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    const bool changes = c.display && c.confirmAnswer == IDYES && c.record;
    if (!c.display) CheckDialogs(run, {});
    else if (c.confirmAnswer != IDYES) CheckDialogs(run, {CONFIRM_TEXT});
    else if (!c.record) CheckDialogs(run, {CONFIRM_TEXT, FAILURE_TEXT});
    else CheckDialogs(run, {CONFIRM_TEXT, COMPLETE_TEXT});

    const std::string group = Folder(CSIDL_PROGRAMS) + "\\Orlatune";
    const bool installDirUsable = c.directoryValue.size() >= 2 && c.directoryValue[1] == ':';
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        bool expected = before[i];
        if (changes && item.installed && item.removable) {
            expected = false;
            const bool inInstall = item.where.rfind(INSTALL_DIR, 0) == 0;
            if (inInstall && !installDirUsable) expected = true;
            if (item.where == running) expected = true;  // the running image
            if (c.holdFileOpen && item.where == heldPath) expected = true;
            if (c.readOnlyFile && item.where == readOnlyPath) expected = true;
            if (item.where == INSTALL_DIR) expected = true;  // holds UnInstall.exe
            if (item.where == PLUGINS_DIR && (c.userFiles || !installDirUsable)) expected = true;
            if (c.extraShortcut && item.where == group) expected = true;  // the user's shortcut keeps it
        }
        Check(after[i] == expected, std::string(KindName(item.kind)) + " " + item.where +
                                        (expected ? " is there" : " is gone"));
    }

    if (c.secondRun) {
        const RunResult again = RunUninstaller(IDYES, true, "");
        std::printf("-- second run\n");
        CheckDialogs(again, {CONFIRM_TEXT, FAILURE_TEXT});
        Check(States(items) == after, "the second run changes nothing");
    }
    std::printf("%s: %d failed\n", c.name, g_failures);
    return g_failures == 0 ? 0 : 1;
}

// ---------------------------------------------------------------- demo

int RunDemo(const std::string& folder, bool answer) {
    Case c;
    c.name = "demo";
    c.strays = false;
    std::vector<Item> items = Inventory(c);
    LayDown(c, items);
    InstallUninstaller(BuiltUninstaller());

    const std::vector<bool> before = States(items);
    const RunResult run = RunUninstaller(IDYES, answer, answer ? folder : "");
    const std::vector<bool> after = States(items);

    std::printf("\nMessage boxes, in order:\n");
    for (const Dialog& d : run.dialogs) {
        std::printf("  [%s] default %s: %s\n", Join(d.buttons).c_str(), d.defaultButton.c_str(), d.text.c_str());
    }
    std::printf("Exit code: %lu\n\n", run.exitCode);
    std::printf("%-8s %-13s %s\n", "after", "what", "where");
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!before[i]) continue;
        const char* state = after[i] ? (items[i].installed ? "KEPT" : "kept") : "removed";
        std::string where = items[i].where;
        if (items[i].kind == INI_KEY) {
            where = Field(where, 0) + " [" + Field(where, 1) + "] " + Field(where, 2);
        } else if (items[i].kind == REG_KEY) {
            where = "HKLM\\" + where;
        }
        std::printf("%-8s %-13s %s%s\n", state, KindName(items[i].kind), where.c_str(),
                    items[i].installed ? "" : "   (not Orlatune's)");
    }
    std::printf("\nremoved: Orlatune's, and gone\n"
                "KEPT:    Orlatune's, still there (a running program cannot delete its own\n"
                "         file, and its directory stays with it)\n"
                "kept:    another program's or the user's, left alone as it must be\n");
    return 0;
}

// ---------------------------------------------------------------- bench

int RunBench(const std::string& exe, int runs, bool flat, bool relay) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int run = 0; run < runs; ++run) {
        Case c;
        c.name = "bench";
        c.strays = false;
        c.subkeys = !flat;
        LayDown(c, Inventory(c));
        InstallUninstaller(exe);
        // The trace is asked for the program alone, not for this driver.
        if (relay) SetEnvironmentVariableA("WINEDEBUG", "+relay");
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const RunResult result = RunUninstaller(IDYES, true, "");
        QueryPerformanceCounter(&end);
        if (relay) SetEnvironmentVariableA("WINEDEBUG", "-all");
        std::printf("run %d: %.1f ms, %zu boxes, exit %lu\n", run + 1,
                    1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart),
                    result.dialogs.size(), result.exitCode);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "list") {
        for (const Case& c : Cases()) std::printf("%s\n", c.name);
        return 0;
    }
    if (command == "bench" && argc > 3) {
        bool flat = false, relay = false;
        for (int i = 4; i < argc; ++i) {
            flat = flat || std::string(argv[i]) == "--flat";
            relay = relay || std::string(argv[i]) == "--relay";
        }
        return RunBench(argv[2], std::atoi(argv[3]), flat, relay);
    }
    if (command == "demo" && argc > 2) {
        return RunDemo(argv[2], argc > 3 && std::string(argv[3]) == "--answer");
    }
    for (const Case& c : Cases()) {
        if (command == c.name) return RunCase(c);
    }
    std::printf("usage: e2e_driver CASE | demo FOLDER [--answer] | list\n");
    return 2;
}
