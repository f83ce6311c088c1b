#include <gtest/gtest.h>

#include <algorithm>

#include "stages/removal_table.h"
#include "tests/fake_test.h"
#include "tests/installation.h"

namespace {

using RegistrationTest = FakeMachineTest;

TEST_F(RegistrationTest, EachStageMakesItsCallsInOrder) {
    struct Case {
        const char* stage;
        void (*run)();
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"MCI driver", RemoveMciDriverRegistration, Lines(R"(
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
        )")},
        {".pl", RemovePlAssociation, Lines(R"(
            RegDeleteKeyA(HKLM, "SOFTWARE\Classes\.pl")
            RegDeleteKeyA(HKLM, "SOFTWARE\Classes\plfile")
        )")},
        {".spc", RemoveSpcAssociation, Lines(R"(
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
        )")},
    };
    for (const Case& c : cases) {
        // The same calls whether or not anything is there to delete.
        for (bool installed : {true, false}) {
            fake::Reset();
            if (installed) installation::LayDown(0x07);
            c.run();
            EXPECT_EQ(fake::CallTexts(), c.calls) << c.stage << (installed ? " installed" : " absent");
        }
    }
}

// The registrations go whole, shell commands and all; the neighbours stay.
TEST_F(RegistrationTest, RemovesKeyTreesAndIniKeysButNothingElse) {
    installation::LaySurroundings();
    const installation::Snapshot before = installation::TakeSnapshot();
    installation::LayDown(0x07);
    fake::Answer().denied = {"software\\classes\\.sp3"};  // a key that cannot go
    RemoveMciDriverRegistration();
    RemovePlAssociation();
    RemoveSpcAssociation();

    EXPECT_FALSE(fake::KeyExists("SOFTWARE\\Classes\\plfile"));
    EXPECT_FALSE(fake::KeyExists("SOFTWARE\\Classes\\.sp4"));   // after the refused one
    EXPECT_TRUE(fake::KeyExists("SOFTWARE\\Classes\\.sp3"));
    fake::Answer().denied.clear();
    RegDeleteKeyA(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.sp3");

    const installation::Snapshot after = installation::TakeSnapshot();
    // What is left beyond the surroundings is the record and uninstall entry
    // alone, which the registration stages do not touch.
    std::vector<std::string> extra;
    for (const std::string& key : after.keys) {
        if (std::find(before.keys.begin(), before.keys.end(), key) == before.keys.end()) {
            extra.push_back(key);
        }
    }
    EXPECT_EQ(extra, Lines(R"(
        SOFTWARE\Kestrane\Orlatune
        SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Orlatune
    )"));
    EXPECT_EQ(after.iniKeys, before.iniKeys);
}

}  // namespace
