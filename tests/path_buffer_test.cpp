#include "platform/path_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(JoinPath, JoinsWithExactlyOneBackslashAndNormalisesNothing) {
    struct Case { const char* directory; const char* name; const char* joined; };
    const Case cases[] = {
        {"C:\\Orlatune", "Quellin.dll", "C:\\Orlatune\\Quellin.dll"},
        {"C:\\Orlatune\\", "Quellin.dll", "C:\\Orlatune\\\\Quellin.dll"},
        {"", "Quellin.dll", "\\Quellin.dll"},
        {"C:", "Plugins", "C:\\Plugins"},
        {"\\\\server\\share", "a b.url", "\\\\server\\share\\a b.url"},
    };
    for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char out[PATH_SIZE];
        EXPECT_TRUE(JoinPath(out, cases[i].directory, cases[i].name)) << "case " << i;
        EXPECT_STREQ(out, cases[i].joined) << "case " << i;
    }
}

TEST(JoinPath, FillsTheBufferExactlyOrLeavesItEmpty) {
    // 254 + 1 + 4 = 259 characters and the terminator: exactly 260 bytes.
    const std::string directory = "C:\\" + std::string(251, 'd');
    char out[PATH_SIZE];
    ASSERT_TRUE(JoinPath(out, directory.c_str(), "a.dl"));
    EXPECT_EQ(std::string(out), directory + "\\a.dl");

    // One character more would need 261 bytes: never a truncated path.
    std::memset(out, 'x', sizeof out);
    EXPECT_FALSE(JoinPath(out, directory.c_str(), "a.dll"));
    EXPECT_STREQ(out, "");

    char tiny[4];
    EXPECT_FALSE(JoinPath(tiny, "C:", "a"));  // "C:\a" needs 5 bytes
    EXPECT_STREQ(tiny, "");
    EXPECT_FALSE(ComposeBounded(tiny, 0, nullptr, 0));
}

TEST(CopyText, CopiesWholeOrNothing) {
    char out[5];
    EXPECT_TRUE(CopyText(out, "abcd"));
    EXPECT_STREQ(out, "abcd");
    EXPECT_FALSE(CopyText(out, "abcde"));
    EXPECT_STREQ(out, "");
}

TEST(BoundedLength, StopsAtTheBufferEnd) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(BoundedLength(unterminated, 3), 3u);
    EXPECT_EQ(BoundedLength("ab\0c", 4), 2u);
}

TEST(IsAbsolutePath, OnlyDriveRootedAndNetworkPaths) {
    struct Case { const char* path; bool absolute; };
    const Case cases[] = {
        {"C:\\Program Files\\Orlatune", true},
        {"d:\\", true},
        {"C:", true},
        {"\\\\server\\share\\Orlatune", true},
        {"", false},
        {"\\", false},
        {"\\Plugins", false},
        {"Orlatune", false},
        {"C:Orlatune", false},
        {"1:\\Orlatune", false},
        {":\\Orlatune", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsAbsolutePath(c.path), c.absolute) << c.path;
}

}  // namespace
