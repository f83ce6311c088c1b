#include "tests/installation.h"

#include "stages/removal_table.h"
#include "tests/fake_platform.h"

namespace installation {
namespace {

const char* const SPC_NUMBERED[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

std::string DirectoryFor(FileLocation location) {
    switch (location) {
        case LOC_INSTALL_DIR: return INSTALL_DIR;
        case LOC_PLUGINS_DIR: return PLUGINS_DIR;
        case LOC_SYSTEM_DIR: return SYSTEM_DIR;
        default: return "C:\\WINDOWS";
    }
}

}  // namespace

void LaySurroundings() {
    fake::AddKey("SOFTWARE\\Kestrane\\Other Product");
    fake::AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Other Product");
    fake::AddKey("SOFTWARE\\Classes\\.plx");
    fake::AddKey("SOFTWARE\\Classes\\.sp10");
    fake::AddKey("SOFTWARE\\Classes\\plfile2");
    fake::AddKey("SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/wav");
    fake::SetIniKey("system.ini", "mci", "waveaudio", "mciwave.drv");
    fake::SetIniKey("win.ini", "mci extensions", "wav", "waveaudio");
    fake::SetIniKey("win.ini", "mci extensions", "sp10", "other");
    fake::AddFile("C:\\WINDOWS\\SYSTEM\\MCIWAVE.DRV");
    fake::AddFile("C:\\WINDOWS\\Orlatune.exe");  // same name, another directory
    fake::AddFile(std::string(PROGRAM_FILES) + "\\Other\\Orlatune.exe");
    fake::AddFile(std::string(DESKTOP) + "\\Other.lnk");
    fake::AddFile(std::string(PROGRAMS) + "\\Other\\Orlatune.lnk");
    fake::AddFile(std::string(QUICK_LAUNCH) + "\\Show Desktop.scf");
    fake::Answer().shellFolders[0x00] = {1, DESKTOP};
    fake::Answer().shellFolders[0x02] = {1, PROGRAMS};
    fake::Answer().shellFolders[0x1A] = {1, APP_DATA};
}

void LayDown(std::uint32_t options, const std::string& directoryValue) {
    const std::string record = "SOFTWARE\\Kestrane\\Orlatune";
    fake::SetDword(record, "Installation options", options);
    fake::SetString(record, "Installation directory", directoryValue);
    fake::SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune",
                    "UninstallString", std::string(INSTALL_DIR) + "\\UnInstall.exe");

    const int rows = (options & 0x01) != 0 ? ROWS_ALL : ROWS_WITHOUT_DRIVER;
    for (int row = 0; row < rows; ++row) {
        fake::AddFile(DirectoryFor(REMOVAL_TABLE[row].location) + "\\" + REMOVAL_TABLE[row].name);
    }
    if ((options & 0x01) != 0) {
        fake::SetIniKey("system.ini", "mci", "vuz700udo", "TALVORN.DRV");
        fake::SetIniKey("win.ini", "mci extensions", "spc", "vuz700udo");
        for (const char* digit : SPC_NUMBERED) {
            fake::SetIniKey("win.ini", "mci extensions", std::string("sp") + digit, "vuz700udo");
        }
        fake::SetString("SOFTWARE\\Kestrane\\TALVORN", "Frequency", "32000");
    }
    if ((options & 0x02) != 0) {
        fake::SetString("SOFTWARE\\Classes\\.pl", "", "plfile");
        fake::AddKey("SOFTWARE\\Classes\\plfile\\shell\\open\\command");
        fake::AddKey("SOFTWARE\\Classes\\plfile\\DefaultIcon");
    }
    if ((options & 0x04) != 0) {
        fake::SetString("SOFTWARE\\Classes\\.spc", "", "spcfile");
        for (const char* digit : SPC_NUMBERED) {
            fake::SetString(std::string("SOFTWARE\\Classes\\.sp") + digit, "", "spcfile");
        }
        fake::AddKey("SOFTWARE\\Classes\\spcfile\\shell\\open\\command");
        fake::AddKey("SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/spc");
    }
    if ((options & 0x08) != 0) fake::AddFile(std::string(DESKTOP) + "\\Orlatune.lnk");
    if ((options & 0x10) != 0) {
        for (const char* name : {"Orlatune.lnk", "UnInstall.lnk", "Ramblings.lnk", "Quellin.lnk"}) {
            fake::AddFile(std::string(PROGRAMS) + "\\Orlatune\\" + name);
        }
    }
    if ((options & 0x20) != 0) fake::AddFile(std::string(QUICK_LAUNCH) + "\\Orlatune.lnk");
}

Snapshot TakeSnapshot() {
    return {fake::AllKeys(), fake::AllIniKeys(), fake::AllPaths()};
}

}  // namespace installation
