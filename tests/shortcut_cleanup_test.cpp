#include <gtest/gtest.h>

#include "stages/removal_table.h"
#include "tests/fake_test.h"
#include "tests/installation.h"

namespace {

using ShortcutTest = FakeMachineTest;

std::vector<std::string> Removals() {
    return fake::CallTexts({"DeleteFileA", "RemoveDirectoryA"});
}

TEST_F(ShortcutTest, WithoutTheShellTheFallbackFoldersAreUsed) {
    fake::Answer().shellLibraryPresent = false;
    RemoveDesktopShortcut();
    RemoveStartMenuGroup();
    RemoveQuickLaunchShortcut();
    EXPECT_EQ(Removals(), Lines(R"(
        DeleteFileA("C:\WINDOWS\Desktop\Orlatune.lnk")
        DeleteFileA("C:\WINDOWS\Start Menu\Programs\Orlatune\Orlatune.lnk")
        DeleteFileA("C:\WINDOWS\Start Menu\Programs\Orlatune\UnInstall.lnk")
        DeleteFileA("C:\WINDOWS\Start Menu\Programs\Orlatune\Ramblings.lnk")
        DeleteFileA("C:\WINDOWS\Start Menu\Programs\Orlatune\Quellin.lnk")
        RemoveDirectoryA("C:\WINDOWS\Start Menu\Programs\Orlatune")
    )"));
}

// Quick Launch has no fallback: without an answer there is no folder, and
// nothing is deleted (least of all "\Microsoft\...\Orlatune.lnk").
TEST_F(ShortcutTest, QuickLaunchWithoutAnAnswerDeletesNothing) {
    for (fake::BOOL result : {0, 2, -1}) {
        fake::Reset();
        fake::Answer().shellFolders[0x1A] = {result, "C:\\junk"};
        RemoveQuickLaunchShortcut();
        EXPECT_EQ(Removals(), std::vector<std::string>{}) << result;
        EXPECT_EQ(fake::LoadedLibraryCount(), 0);
    }
}

// A folder the shell gives as relative would be resolved against the current
// directory; it is not used.
TEST_F(ShortcutTest, RelativeFoldersAreNotUsed) {
    for (int csidl : {0x00, 0x02, 0x1A}) fake::Answer().shellFolders[csidl] = {1, "Desktop"};
    RemoveDesktopShortcut();
    RemoveStartMenuGroup();
    RemoveQuickLaunchShortcut();
    EXPECT_EQ(Removals(), std::vector<std::string>{});
}

TEST_F(ShortcutTest, OnlyTheInstallersShortcutsGo) {
    installation::LaySurroundings();
    installation::LayDown(0x38);
    const std::string group = std::string(installation::PROGRAMS) + "\\Orlatune";
    fake::AddFile(group + "\\My notes.txt");
    fake::AddFile(group + "\\Orlatune.exe.lnk");
    RemoveDesktopShortcut();
    RemoveStartMenuGroup();
    RemoveQuickLaunchShortcut();

    EXPECT_FALSE(fake::FileExists(std::string(installation::DESKTOP) + "\\Orlatune.lnk"));
    EXPECT_FALSE(fake::FileExists(std::string(installation::QUICK_LAUNCH) + "\\Orlatune.lnk"));
    for (const char* name : {"Orlatune.lnk", "UnInstall.lnk", "Ramblings.lnk", "Quellin.lnk"}) {
        EXPECT_FALSE(fake::FileExists(group + "\\" + name)) << name;
    }
    // The user's files keep the group.
    EXPECT_TRUE(fake::DirectoryExists(group));
    EXPECT_TRUE(fake::FileExists(group + "\\My notes.txt"));
    EXPECT_TRUE(fake::FileExists(group + "\\Orlatune.exe.lnk"));
    EXPECT_TRUE(fake::FileExists(std::string(installation::DESKTOP) + "\\Other.lnk"));
    EXPECT_TRUE(fake::FileExists(std::string(installation::PROGRAMS) + "\\Other\\Orlatune.lnk"));
    EXPECT_TRUE(fake::FileExists(std::string(installation::QUICK_LAUNCH) + "\\Show Desktop.scf"));
}

TEST_F(ShortcutTest, EmptiedGroupIsRemoved) {
    installation::LaySurroundings();
    installation::LayDown(0x10);
    RemoveStartMenuGroup();
    EXPECT_FALSE(fake::DirectoryExists(std::string(installation::PROGRAMS) + "\\Orlatune"));
    EXPECT_TRUE(fake::DirectoryExists(installation::PROGRAMS));
}

// Long folders: a path that would not fit is skipped, never shortened.
TEST_F(ShortcutTest, PathsThatDoNotFitAreSkipped) {
    struct Case {
        std::size_t folderLength;
        std::size_t groupRemovals;  // RemoveDirectoryA of the group
        std::size_t deletions;      // DeleteFileA in the group
    };
    // The group adds 9 characters ("\Orlatune"), a shortcut name 12 to 14.
    const Case cases[] = {
        {236, 1, 4},  // 236 + 9 + 14 ("\UnInstall.lnk") = 259
        {237, 1, 2},  // "\Orlatune.lnk" and "\Quellin.lnk" still fit
        {250, 1, 0},  // the group fits, no shortcut does
        {251, 0, 0},  // 251 + 9 = 260: not even the group
    };
    for (const Case& c : cases) {
        fake::Reset();
        const std::string folder = "C:\\" + std::string(c.folderLength - 3, 'p');
        fake::Answer().shellFolders[0x02] = {1, folder};
        RemoveStartMenuGroup();
        const auto removals = fake::CallTexts({"RemoveDirectoryA"});
        const auto deletions = fake::CallTexts({"DeleteFileA"});
        EXPECT_EQ(removals.size(), c.groupRemovals) << c.folderLength;
        EXPECT_EQ(deletions.size(), c.deletions) << c.folderLength;
        for (const fake::Call& call : fake::Calls()) {
            if (call.function != "DeleteFileA") continue;
            EXPECT_LT(call.subject.size(), platform::MAX_PATH);
            EXPECT_EQ(call.subject.rfind(folder + "\\Orlatune\\", 0), 0u) << call.subject;
            EXPECT_EQ(call.subject.substr(call.subject.size() - 4), ".lnk");
        }
    }
}

}  // namespace
