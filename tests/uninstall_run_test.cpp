#include <gtest/gtest.h>

#include <algorithm>

#include "app/uninstall_context.h"
#include "tests/fake_test.h"
#include "tests/installation.h"

namespace {

using installation::LayDown;
using installation::LaySurroundings;
using installation::TakeSnapshot;

int RunOnce() { return RunUninstall(nullptr, nullptr, nullptr, 0); }

const char CONFIRM[] =
    R"(MessageBoxA(NULL, "Are you sure you want to remove Orlatune?", "Orlatune UnInstall", 0x124))";
const char FAILURE[] =
    R"(MessageBoxA(NULL, "Failed to open the Orlatune registry key.", "Orlatune UnInstall", 0x10))";
const char COMPLETE[] =
    R"(MessageBoxA(NULL, "Uninstallation complete. Note, however, that Windows does not allow programs to delete themselves (commit suicide). So you will have to remove the "UnInstall.exe" file. Sorry it had to come to this.", "Orlatune UnInstall", 0x40))";

// The whole run when the record's key does not open.
std::vector<std::string> UnavailableRecordRun() {
    return {CONFIRM, R"(RegOpenKeyExA(HKLM, "SOFTWARE\Kestrane\Orlatune", 0, 0xF003F))", FAILURE};
}

using RunTest = FakeMachineTest;

// Every call of a full run, written out once as the user's machine sees it.
TEST_F(RunTest, FullRunMakesEveryCallInOrder) {
    LaySurroundings();
    LayDown(0x3F);
    EXPECT_EQ(RunOnce(), 0);

    std::vector<std::string> expected = {CONFIRM};
    const std::vector<std::string> middle = Lines(R"(
        RegOpenKeyExA(HKLM, "SOFTWARE\Kestrane\Orlatune", 0, 0xF003F)
        RegQueryValueExA(<SOFTWARE\Kestrane\Orlatune>, "Installation options", NULL, NULL, 4)
        RegQueryValueExA(<SOFTWARE\Kestrane\Orlatune>, "Installation directory", NULL, NULL, 260)
        RegCloseKey(<SOFTWARE\Kestrane\Orlatune>)
        GetWindowsDirectoryA(260)
        GetSystemDirectoryA(260)
        WritePrivateProfileStringA("mci", "vuz700udo", NULL, "system.ini")
        WritePrivateProfileStringA("mci extensions", "spc", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp0", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp1", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp2", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp3", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp4", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp5", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp6", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp7", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp8", NULL, "win.ini")
        WritePrivateProfileStringA("mci extensions", "sp9", NULL, "win.ini")
        RegDeleteKeyA(HKLM, "SOFTWARE\Kestrane\TALVORN")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.pl")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\plfile")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.spc")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp0")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp1")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp2")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp3")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp4")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp5")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp6")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp7")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp8")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.sp9")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\spcfile")
        RegDeleteKeyA(HKLM, "SOFTWARE\Classes\MIME\Database\Content Type\audio/spc")
        RegDeleteKeyA(HKLM, "SOFTWARE\Kestrane\Orlatune")
        RegDeleteKeyA(HKLM, "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlatune")
        LoadLibraryA("SHELL32.DLL")
        GetProcAddress(SHELL32, "SHGetSpecialFolderPathA")
        SHGetSpecialFolderPathA(NULL, 0x0, FALSE)
        FreeLibrary(SHELL32)
        DeleteFileA("C:\WINDOWS\Profiles\ann\Desktop\Orlatune.lnk")
        LoadLibraryA("SHELL32.DLL")
        GetProcAddress(SHELL32, "SHGetSpecialFolderPathA")
        SHGetSpecialFolderPathA(NULL, 0x2, FALSE)
        FreeLibrary(SHELL32)
        DeleteFileA("C:\WINDOWS\Profiles\ann\Start Menu\Programs\Orlatune\Orlatune.lnk")
        DeleteFileA("C:\WINDOWS\Profiles\ann\Start Menu\Programs\Orlatune\UnInstall.lnk")
        DeleteFileA("C:\WINDOWS\Profiles\ann\Start Menu\Programs\Orlatune\Ramblings.lnk")
        DeleteFileA("C:\WINDOWS\Profiles\ann\Start Menu\Programs\Orlatune\Quellin.lnk")
        RemoveDirectoryA("C:\WINDOWS\Profiles\ann\Start Menu\Programs\Orlatune")
        LoadLibraryA("SHELL32.DLL")
        GetProcAddress(SHELL32, "SHGetSpecialFolderPathA")
        SHGetSpecialFolderPathA(NULL, 0x1A, FALSE)
        FreeLibrary(SHELL32)
        DeleteFileA("C:\WINDOWS\Profiles\ann\Application Data\Microsoft\Internet Explorer\Quick Launch\Orlatune.lnk")
        DeleteFileA("C:\Program Files\Orlatune\Orlatune.exe")
        DeleteFileA("C:\Program Files\Orlatune\UnInstall.exe")
        DeleteFileA("C:\Program Files\Orlatune\Ramblings.doc")
        DeleteFileA("C:\Program Files\Orlatune\Quellin.dll")
        DeleteFileA("C:\Program Files\Orlatune\TORVEX.DLL")
        DeleteFileA("C:\Program Files\Orlatune\PRESSA.DLL")
        DeleteFileA("C:\Program Files\Orlatune\EXPANDA.DLL")
        DeleteFileA("C:\Program Files\Orlatune\EXPANDB.DLL")
        DeleteFileA("C:\Program Files\Orlatune\SPECTRA.DLL")
        DeleteFileA("C:\Program Files\Orlatune\Orlatune.chm")
        DeleteFileA("C:\Program Files\Orlatune\Hints.hlp")
        DeleteFileA("C:\Program Files\Orlatune\Orlatune Homepage.url")
        DeleteFileA("C:\Program Files\Orlatune\EMail Kestrane.url")
        DeleteFileA("C:\Program Files\Orlatune\Brenmoor SPC Archive.url")
        DeleteFileA("C:\Program Files\Orlatune\Ferrowave Homepage.url")
        DeleteFileA("C:\Program Files\Orlatune\Quellin.html")
        DeleteFileA("C:\Program Files\Orlatune\Quellin.h")
        DeleteFileA("C:\Program Files\Orlatune\Quellin.lib")
        DeleteFileA("C:\Program Files\Orlatune\TORVEX.h")
        DeleteFileA("C:\Program Files\Orlatune\Plugins\PX_LUMEN.DLL")
        DeleteFileA("C:\WINDOWS\SYSTEM\SNDCORE.DLL")
        DeleteFileA("C:\WINDOWS\SYSTEM\SRCPLUG.DLL")
        DeleteFileA("C:\WINDOWS\SYSTEM\SINKPLUG.DLL")
        DeleteFileA("C:\WINDOWS\SYSTEM\TALVORN.DRV")
        DeleteFileA("C:\WINDOWS\SYSTEM\TALVORNDLG.DLL")
        RemoveDirectoryA("C:\Program Files\Orlatune\Plugins")
        RemoveDirectoryA("C:\Program Files\Orlatune")
    )");
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.push_back(COMPLETE);
    EXPECT_EQ(fake::CallTexts(), expected);
    EXPECT_EQ(fake::Calls().size(), 84u);
    EXPECT_EQ(fake::OpenKeyCount(), 0);
    EXPECT_EQ(fake::LoadedLibraryCount(), 0);
}

// A full run with every piece installed leaves the machine exactly as it was
// before the installer ran: the installer's keys, INI keys, files and
// directories gone, everything else still there.
TEST_F(RunTest, FullRunRestoresTheMachineAsItWasBeforeTheInstall) {
    LaySurroundings();
    const installation::Snapshot before = TakeSnapshot();
    LayDown(0x3F);
    RunOnce();
    const installation::Snapshot after = TakeSnapshot();
    EXPECT_EQ(after.keys, before.keys);
    EXPECT_EQ(after.iniKeys, before.iniKeys);
    EXPECT_EQ(after.paths, before.paths);
}

// Which stages run for which option bits, seen in the calls they make.
TEST_F(RunTest, OptionBitsChooseTheStages) {
    struct Case {
        std::uint32_t options;
        std::size_t iniDeletions;  // 12 with the driver
        std::size_t keyDeletions;  // 2 always, +1 driver, +2 .pl, +13 .spc
        std::vector<int> folders;  // shell folders looked up, in order
        std::size_t fileDeletions; // table rows plus shortcuts
    };
    const Case cases[] = {
        {0x00, 0, 2, {}, 23},
        {0x01, 12, 3, {}, 25},
        {0x02, 0, 4, {}, 23},
        {0x04, 0, 15, {}, 23},
        {0x08, 0, 2, {0x00}, 24},
        {0x10, 0, 2, {0x02}, 27},
        {0x20, 0, 2, {0x1A}, 24},
        {0x3E, 0, 17, {0x00, 0x02, 0x1A}, 29},
        {0x3F, 12, 18, {0x00, 0x02, 0x1A}, 31},
        {0xFFFFFFC0, 0, 2, {}, 23},  // only bits without meaning
        {0xFFFFFFC1, 12, 3, {}, 25},
    };
    for (const Case& c : cases) {
        fake::Reset();
        LaySurroundings();
        LayDown(c.options);
        EXPECT_EQ(RunOnce(), 0);
        SCOPED_TRACE(testing::Message() << "options 0x" << std::hex << c.options);
        const auto& calls = fake::Calls();
        auto count = [&](const char* function) {
            return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(),
                [&](const fake::Call& call) { return call.function == function; }));
        };
        EXPECT_EQ(count("WritePrivateProfileStringA"), c.iniDeletions);
        EXPECT_EQ(count("RegDeleteKeyA"), c.keyDeletions);
        EXPECT_EQ(count("DeleteFileA"), c.fileDeletions);
        std::vector<std::string> folders;
        for (int csidl : c.folders) {
            folders.push_back("SHGetSpecialFolderPathA(NULL, 0x" +
                              (std::stringstream() << std::uppercase << std::hex << csidl).str() + ", FALSE)");
        }
        EXPECT_EQ(fake::CallTexts({"SHGetSpecialFolderPathA"}), folders);
        // The record is read before anything is removed, and the completion
        // message closes every completed run.
        EXPECT_EQ(calls.front().text, CONFIRM);
        EXPECT_EQ(calls.back().text, COMPLETE);
        EXPECT_EQ(calls[1].function, "RegOpenKeyExA");
        // Two directory removals close the file stage; the record's key is
        // deleted after the registrations and before any file.
        EXPECT_EQ(count("RemoveDirectoryA"), (c.options & 0x10) != 0 ? 3u : 2u);
        const auto record = std::find_if(calls.begin(), calls.end(), [](const fake::Call& call) {
            return call.text == R"(RegDeleteKeyA(HKLM, "SOFTWARE\Kestrane\Orlatune"))";
        });
        ASSERT_NE(record, calls.end());
        for (auto it = calls.begin(); it != record; ++it) EXPECT_NE(it->function, "DeleteFileA");
        for (auto it = record; it != calls.end(); ++it) {
            EXPECT_NE(it->function, "WritePrivateProfileStringA");
        }
    }
}

// Only Yes goes on: No, the default button, a closed box and a box that
// could not be shown all end the run with nothing changed.
TEST_F(RunTest, AnythingButYesChangesNothing) {
    for (int answer : {7 /* IDNO */, 2 /* IDCANCEL */, 0 /* not shown */, -1, 1 /* IDOK */}) {
        fake::Reset();
        LaySurroundings();
        LayDown(0x3F);
        const installation::Snapshot before = TakeSnapshot();
        fake::Answer().messageBoxes = {answer};
        EXPECT_EQ(RunOnce(), 0) << answer;
        EXPECT_EQ(fake::CallTexts(), std::vector<std::string>{CONFIRM}) << answer;
        EXPECT_TRUE(TakeSnapshot() == before) << answer;
    }
}

TEST_F(RunTest, MissingRecordShowsTheFailureAndChangesNothing) {
    LaySurroundings();
    const installation::Snapshot before = TakeSnapshot();
    EXPECT_EQ(RunOnce(), 0);
    EXPECT_EQ(fake::CallTexts(), UnavailableRecordRun());
    EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(RunTest, RefusedAccessToTheRecordIsReportedLikeAMissingKey) {
    LayDown(0x3F);
    const installation::Snapshot before = TakeSnapshot();
    fake::Answer().openKey = 5;  // ERROR_ACCESS_DENIED
    RunOnce();
    EXPECT_EQ(fake::CallTexts().back(), FAILURE);
    EXPECT_EQ(fake::Calls().size(), 3u);
    EXPECT_TRUE(TakeSnapshot() == before);
}

TEST_F(RunTest, SecondRunFindsNoRecord) {
    LaySurroundings();
    LayDown(0x3F);
    fake::LockFile(std::string(installation::INSTALL_DIR) + "\\UnInstall.exe");
    RunOnce();
    ASSERT_FALSE(fake::KeyExists("SOFTWARE\\Kestrane\\Orlatune"));
    ASSERT_TRUE(fake::DirectoryExists(installation::INSTALL_DIR));  // kept by UnInstall.exe

    fake::ClearCalls();
    const installation::Snapshot before = TakeSnapshot();
    EXPECT_EQ(RunOnce(), 0);
    EXPECT_EQ(fake::CallTexts(), UnavailableRecordRun());
    EXPECT_TRUE(TakeSnapshot() == before);
}

}  // namespace
