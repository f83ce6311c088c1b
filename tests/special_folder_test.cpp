#include "platform/special_folder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/fake_test.h"

namespace {

using SpecialFolderTest = FakeMachineTest;

const std::string LONGEST = "C:\\" + std::string(256, 'f');  // 259 characters

TEST_F(SpecialFolderTest, AnswersAndFallbacks) {
    enum Shell { NO_LIBRARY, NO_FUNCTION, ANSWERS };
    struct Case {
        const char* what;
        Shell shell;
        int csidl;
        fake::BOOL result;
        std::string answer;
        std::string expected;  // "<old>" for the destination's old content
    };
    const Case cases[] = {
        {"library absent, desktop", NO_LIBRARY, 0x00, 1, "C:\\Users\\ann\\Desktop", "C:\\WINDOWS\\Desktop"},
        {"function absent, programs", NO_FUNCTION, 0x02, 1, "C:\\x", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"function absent, program files", NO_FUNCTION, 0x26, 1, "C:\\x", "C:\\Program Files"},
        {"answer 1 replaces the fallback", ANSWERS, 0x00, 1, "D:\\Desk", "D:\\Desk"},
        {"answer 0", ANSWERS, 0x02, 0, "D:\\junk", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"answer 2", ANSWERS, 0x02, 2, "D:\\junk", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"answer -1", ANSWERS, 0x00, -1, "D:\\junk", "C:\\WINDOWS\\Desktop"},
        {"longest answer", ANSWERS, 0x1A, 1, LONGEST, LONGEST},
        {"answer without terminator", ANSWERS, 0x02, 1, LONGEST + "f", "C:\\WINDOWS\\Start Menu\\Programs"},
        {"app data answered", ANSWERS, 0x1A, 1, "C:\\Users\\ann\\AppData", "C:\\Users\\ann\\AppData"},
        {"app data, no answer", ANSWERS, 0x1A, 0, "D:\\junk", "<old>"},
        {"app data, no library", NO_LIBRARY, 0x1A, 1, "D:\\x", "<old>"},
        {"app data, no function", NO_FUNCTION, 0x1A, 1, "D:\\x", "<old>"},
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::Answer().shellLibraryPresent = c.shell != NO_LIBRARY;
        fake::Answer().shellFunctionPresent = c.shell != NO_FUNCTION;
        fake::Answer().shellFolders[c.csidl] = {c.result, c.answer};
        char destination[platform::MAX_PATH];
        std::memset(destination, 0, sizeof destination);
        std::strcpy(destination, "<old>");
        LookupSpecialFolder(nullptr, destination, c.csidl, platform::FALSE);
        EXPECT_EQ(std::string(destination), c.expected) << c.what;
        EXPECT_EQ(fake::LoadedLibraryCount(), 0) << c.what;
    }
}

TEST_F(SpecialFolderTest, LoadsAndFreesTheShellForEachLookup) {
    char destination[platform::MAX_PATH] = "";
    LookupSpecialFolder(nullptr, destination, 0x1A, platform::TRUE);
    fake::Answer().shellFunctionPresent = false;
    LookupSpecialFolder(nullptr, destination, 0x02, platform::FALSE);
    fake::Answer().shellLibraryPresent = false;
    LookupSpecialFolder(nullptr, destination, 0x00, platform::FALSE);
    EXPECT_EQ(fake::CallTexts(), Lines(R"(
        LoadLibraryA("SHELL32.DLL")
        GetProcAddress(SHELL32, "SHGetSpecialFolderPathA")
        SHGetSpecialFolderPathA(NULL, 0x1A, TRUE)
        FreeLibrary(SHELL32)
        LoadLibraryA("SHELL32.DLL")
        GetProcAddress(SHELL32, "SHGetSpecialFolderPathA")
        FreeLibrary(SHELL32)
        LoadLibraryA("SHELL32.DLL")
    )"));
}

}  // namespace
