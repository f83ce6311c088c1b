#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "app/uninstall_context.h"
#include "stages/removal_table.h"
#include "tests/fake_test.h"
#include "tests/installation.h"

namespace {

using FileCleanupTest = FakeMachineTest;

UninstallContext Context(std::int32_t rows) {
    UninstallContext context = {};
    std::strcpy(context.installDir, installation::INSTALL_DIR);
    std::strcpy(context.pluginsDir, installation::PLUGINS_DIR);
    std::strcpy(context.windowsDir, "C:\\WINDOWS");
    std::strcpy(context.systemDir, installation::SYSTEM_DIR);
    context.rowCount = rows;
    return context;
}

TEST_F(FileCleanupTest, WithoutTheDriverItsTwoFilesStay) {
    installation::LayDown(0x01);  // the driver's files are there
    RemoveInstalledFiles(Context(ROWS_WITHOUT_DRIVER));
    const auto calls = fake::CallTexts();
    ASSERT_EQ(calls.size(), 25u);
    EXPECT_EQ(calls[22], R"(DeleteFileA("C:\WINDOWS\SYSTEM\SINKPLUG.DLL"))");
    EXPECT_EQ(calls[23], R"(RemoveDirectoryA("C:\Program Files\Orlatune\Plugins"))");
    EXPECT_EQ(calls[24], R"(RemoveDirectoryA("C:\Program Files\Orlatune"))");
    EXPECT_TRUE(fake::FileExists("C:\\WINDOWS\\SYSTEM\\TALVORN.DRV"));
    EXPECT_TRUE(fake::FileExists("C:\\WINDOWS\\SYSTEM\\TALVORNDLG.DLL"));
    EXPECT_FALSE(fake::FileExists("C:\\WINDOWS\\SYSTEM\\SNDCORE.DLL"));
    EXPECT_FALSE(fake::DirectoryExists(installation::INSTALL_DIR));
}

TEST_F(FileCleanupTest, UserFilesStayWithTheirDirectories) {
    installation::LaySurroundings();
    installation::LayDown(0x01);
    const std::string install = installation::INSTALL_DIR;
    fake::AddFile(install + "\\My Playlist.pl");
    fake::AddFile(install + "\\Quellin.dll.bak");
    fake::AddFile(install + "\\Skins\\Dark.skn");
    fake::LockFile(install + "\\Orlatune.chm");  // in use
    RemoveInstalledFiles(Context(ROWS_ALL));

    EXPECT_TRUE(fake::FileExists(install + "\\My Playlist.pl"));
    EXPECT_TRUE(fake::FileExists(install + "\\Quellin.dll.bak"));
    EXPECT_TRUE(fake::FileExists(install + "\\Skins\\Dark.skn"));
    EXPECT_TRUE(fake::FileExists(install + "\\Orlatune.chm"));
    EXPECT_TRUE(fake::DirectoryExists(install));
    // The files after the one in use went all the same, and the plug-in
    // directory that held only the plug-in is gone.
    EXPECT_FALSE(fake::FileExists(install + "\\Hints.hlp"));
    EXPECT_FALSE(fake::DirectoryExists(installation::PLUGINS_DIR));
    EXPECT_FALSE(fake::FileExists("C:\\WINDOWS\\SYSTEM\\TALVORNDLG.DLL"));
    EXPECT_TRUE(fake::FileExists("C:\\WINDOWS\\SYSTEM\\MCIWAVE.DRV"));
    EXPECT_TRUE(fake::FileExists("C:\\WINDOWS\\Orlatune.exe"));
}

TEST_F(FileCleanupTest, PluginDirectoryWithUserFilesStays) {
    installation::LayDown(0x00);
    fake::AddFile(std::string(installation::PLUGINS_DIR) + "\\PX_OTHER.DLL");
    RemoveInstalledFiles(Context(ROWS_WITHOUT_DRIVER));
    EXPECT_TRUE(fake::DirectoryExists(installation::PLUGINS_DIR));
    EXPECT_TRUE(fake::DirectoryExists(installation::INSTALL_DIR));
    EXPECT_FALSE(fake::FileExists(std::string(installation::PLUGINS_DIR) + "\\PX_LUMEN.DLL"));
}

// Through the whole run: every file deletion and directory removal names an
// absolute path that is a table name in its directory, or one of the two
// directories, and never a shortened one.
class UnusableDirectoryTest : public FakeMachineTest {
protected:
    std::vector<std::string> Touched() {
        std::vector<std::string> subjects;
        for (const fake::Call& call : fake::Calls()) {
            if (call.function == "DeleteFileA" || call.function == "RemoveDirectoryA") {
                subjects.push_back(call.subject);
            }
        }
        return subjects;
    }
};

TEST_F(UnusableDirectoryTest, NothingIsDeletedRelativeToTheCurrentDirectory) {
    for (const char* value : {"", "\\", "Orlatune", "Program Files\\Orlatune\\", "C:Orlatune",
                              "\\Program Files\\Orlatune"}) {
        fake::Reset();
        installation::LayDown(0x01, value);
        RunUninstall(nullptr, nullptr, nullptr, 0);
        // Only the system directory's five files, nothing else.
        EXPECT_EQ(Touched(), Lines(R"(
            C:\WINDOWS\SYSTEM\SNDCORE.DLL
            C:\WINDOWS\SYSTEM\SRCPLUG.DLL
            C:\WINDOWS\SYSTEM\SINKPLUG.DLL
            C:\WINDOWS\SYSTEM\TALVORN.DRV
            C:\WINDOWS\SYSTEM\TALVORNDLG.DLL
        )")) << "directory value \"" << value << "\"";
    }
}

TEST_F(UnusableDirectoryTest, NoSystemDirectoryMeansNoSystemFiles) {
    struct Case { const char* what; std::string directory; std::optional<fake::UINT> result; };
    const Case cases[] = {
        {"call fails", "", 0u},
        {"does not fit", "C:\\" + std::string(300, 's'), std::nullopt},
        {"relative", "SYSTEM", std::nullopt},
    };
    for (const Case& c : cases) {
        fake::Reset();
        installation::LayDown(0x01);
        fake::Answer().systemDirectory = c.directory;
        fake::Answer().systemDirectoryResult = c.result;
        RunUninstall(nullptr, nullptr, nullptr, 0);
        for (const std::string& path : Touched()) {
            EXPECT_EQ(path.rfind(installation::INSTALL_DIR, 0), 0u) << c.what << ": " << path;
        }
        EXPECT_EQ(Touched().size(), 22u) << c.what;  // 20 files and 2 directories
    }
}

TEST_F(UnusableDirectoryTest, LongInstallationDirectoryNeverGivesAShortenedPath) {
    for (std::size_t length : {230u, 240u, 250u, 251u, 252u, 258u, 259u}) {
        fake::Reset();
        const std::string directory = "C:\\" + std::string(length - 3, 'i');
        // The value's trailing backslash is cut; at 259 characters there is
        // no room for one.
        installation::LayDown(0x00, length < 259 ? directory + "\\" : directory);
        RunUninstall(nullptr, nullptr, nullptr, 0);
        const std::string plugins = directory + "\\Plugins";
        std::vector<std::string> allowed = {plugins, directory};
        for (const RemovalEntry& entry : REMOVAL_TABLE) {
            allowed.push_back(directory + "\\" + entry.name);
            allowed.push_back(plugins + "\\" + entry.name);
            allowed.push_back(std::string(installation::SYSTEM_DIR) + "\\" + entry.name);
        }
        std::size_t installPaths = 0;
        for (const std::string& path : Touched()) {
            EXPECT_LT(path.size(), platform::MAX_PATH) << path;
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), path), allowed.end())
                << length << ": " << path;
            if (path.rfind(directory, 0) == 0) ++installPaths;
        }
        // Whatever fits is deleted: the directory itself always fits.
        EXPECT_GE(installPaths, 1u) << length;
        // The plug-in directory is used only when it fits with its terminator.
        const bool pluginsFit = plugins.size() < platform::MAX_PATH;
        const auto touched = Touched();
        EXPECT_EQ(std::find(touched.begin(), touched.end(), plugins) != touched.end(), pluginsFit)
            << length;
    }
}

}  // namespace
