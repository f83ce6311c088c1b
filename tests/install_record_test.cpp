#include <gtest/gtest.h>

#include <cstring>

#include "app/install_record.h"
#include "tests/fake_test.h"

namespace {

const char RECORD[] = "SOFTWARE\\Kestrane\\Orlatune";

using RecordTest = FakeMachineTest;

UninstallContext Sentinel() {
    UninstallContext context;
    std::memset(&context, 0xBD, sizeof context);
    return context;
}

TEST_F(RecordTest, DirectoryValues) {
    const std::string longest(259, 'd');  // with its terminator: all 260 bytes
    struct Case {
        const char* what;
        bool present;
        fake::DWORD type;
        std::string bytes;
        std::string installDir;
    };
    const Case cases[] = {
        {"one trailing backslash cut", true, fake::REG_SZ, std::string("C:\\Orlatune\\\0", 13), "C:\\Orlatune"},
        {"no trailing backslash", true, fake::REG_SZ, std::string("C:\\Orlatune\0", 12), "C:\\Orlatune"},
        {"two trailing backslashes keep one", true, fake::REG_SZ, std::string("C:\\Orlatune\\\\\0", 14), "C:\\Orlatune\\"},
        {"only a backslash", true, fake::REG_SZ, std::string("\\\0", 2), ""},
        {"empty", true, fake::REG_SZ, std::string("\0", 1), ""},
        {"missing", false, fake::REG_SZ, "", ""},
        {"259 characters fit", true, fake::REG_SZ, longest + '\0', longest},
        {"260 characters do not fit", true, fake::REG_SZ, longest + "d" + '\0', ""},
        {"260 bytes without a terminator", true, fake::REG_BINARY, longest + "d", ""},
        {"type is not checked", true, fake::REG_BINARY, std::string("D:\\Apps\0", 8), "D:\\Apps"},
        {"no terminator, shorter than the buffer", true, fake::REG_SZ, "E:\\X\\", "E:\\X"},
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::AddKey(RECORD);
        if (c.present) fake::SetValue(RECORD, "Installation directory", c.type, c.bytes);
        UninstallContext context = Sentinel();
        ASSERT_TRUE(ReadInstallRecord(context)) << c.what;
        EXPECT_EQ(std::string(context.installDir), c.installDir) << c.what;
        // Nothing is left behind the terminator.
        for (std::size_t i = c.installDir.size(); i < sizeof context.installDir; ++i) {
            ASSERT_EQ(context.installDir[i], '\0') << c.what << " at " << i;
        }
        EXPECT_EQ(fake::OpenKeyCount(), 0) << c.what;
    }
}

TEST_F(RecordTest, OptionsValues) {
    struct Case {
        const char* what;
        bool present;
        std::string bytes;
        std::uint32_t options;
    };
    const Case cases[] = {
        {"dword", true, std::string("\x3F\0\0\0", 4), 0x3F},
        {"little-endian", true, std::string("\x01\x02\x03\x84", 4), 0x84030201},
        {"missing", false, "", 0},
        {"two bytes", true, std::string("\x21\x00", 2), 0x21},
        {"longer than four bytes", true, std::string("\x3F\0\0\0\0\0\0\0", 8), 0},
    };
    for (const Case& c : cases) {
        fake::Reset();
        fake::AddKey(RECORD);
        if (c.present) fake::SetValue(RECORD, "Installation options", fake::REG_BINARY, c.bytes);
        UninstallContext context = Sentinel();
        ASSERT_TRUE(ReadInstallRecord(context)) << c.what;
        EXPECT_EQ(context.options, c.options) << c.what;
    }
}

// A query that fails but writes into the buffer anyway leaves nothing of
// what it wrote.
TEST_F(RecordTest, FailedQueriesLeaveTheDefaults) {
    fake::SetDword(RECORD, "Installation options", 0x3F);
    fake::SetString(RECORD, "Installation directory", "C:\\Orlatune");
    fake::Answer().values["installation options"] = {234, "\xFF\xFF\xFF\xFF", 8};
    fake::Answer().values["installation directory"] = {234, std::string(300, 'x'), 300};
    UninstallContext context = Sentinel();
    ASSERT_TRUE(ReadInstallRecord(context));
    EXPECT_EQ(context.options, 0u);
    EXPECT_STREQ(context.installDir, "");
}

TEST_F(RecordTest, KeyThatDoesNotOpenLeavesTheContextAlone) {
    for (bool exists : {false, true}) {
        fake::Reset();
        if (exists) {
            fake::SetDword(RECORD, "Installation options", 0x3F);
            fake::Answer().openKey = 5;
        }
        UninstallContext context = Sentinel();
        const UninstallContext before = context;
        EXPECT_FALSE(ReadInstallRecord(context));
        EXPECT_EQ(std::memcmp(&context, &before, sizeof context), 0);
        EXPECT_EQ(fake::Calls().size(), 1u);
    }
}

TEST_F(RecordTest, RemoveDeletesTheKeyTreeAndTheUninstallEntryOnly) {
    fake::SetDword(RECORD, "Installation options", 1);
    fake::AddKey("SOFTWARE\\Kestrane\\Orlatune\\Recent Files");
    fake::AddKey("SOFTWARE\\Kestrane\\Orlatune Extras");
    fake::AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune");
    fake::AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune2");
    RemoveInstallRecord();
    EXPECT_EQ(fake::CallTexts(), Lines(R"(
        RegDeleteKeyA(HKLM, "SOFTWARE\Kestrane\Orlatune")
        RegDeleteKeyA(HKLM, "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlatune")
    )"));
    EXPECT_EQ(fake::AllKeys(), Lines(R"(
        SOFTWARE
        SOFTWARE\Kestrane
        SOFTWARE\Kestrane\Orlatune Extras
        SOFTWARE\Microsoft
        SOFTWARE\Microsoft\Windows
        SOFTWARE\Microsoft\Windows\CurrentVersion
        SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall
        SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlatune2
    )"));
}

}  // namespace
