// The MCI driver's INI entries and key, and the two file-type registrations.
// Every result is ignored: what is already gone, or cannot be deleted, is
// passed over and the next entry follows.
#include "stages/removal_table.h"

using namespace platform;

namespace {

struct IniEntry {
    const char* file;  // resolved by the system, no directory
    const char* section;
    const char* key;
};

constexpr IniEntry MCI_INI_ENTRIES[] = {
    {"system.ini", "mci", "vuz700udo"},
    {"win.ini", "mci extensions", "spc"},
    {"win.ini", "mci extensions", "sp0"},
    {"win.ini", "mci extensions", "sp1"},
    {"win.ini", "mci extensions", "sp2"},
    {"win.ini", "mci extensions", "sp3"},
    {"win.ini", "mci extensions", "sp4"},
    {"win.ini", "mci extensions", "sp5"},
    {"win.ini", "mci extensions", "sp6"},
    {"win.ini", "mci extensions", "sp7"},
    {"win.ini", "mci extensions", "sp8"},
    {"win.ini", "mci extensions", "sp9"},
};

// Under HKEY_LOCAL_MACHINE, deleted in this order.
constexpr const char* MCI_DRIVER_KEYS[] = {
    "SOFTWARE\\Kestrane\\TALVORN",
};

constexpr const char* PL_TYPE_KEYS[] = {
    "SOFTWARE\\Classes\\.pl",
    "SOFTWARE\\Classes\\plfile",
};

constexpr const char* SPC_TYPE_KEYS[] = {
    "SOFTWARE\\Classes\\.spc",
    "SOFTWARE\\Classes\\.sp0",
    "SOFTWARE\\Classes\\.sp1",
    "SOFTWARE\\Classes\\.sp2",
    "SOFTWARE\\Classes\\.sp3",
    "SOFTWARE\\Classes\\.sp4",
    "SOFTWARE\\Classes\\.sp5",
    "SOFTWARE\\Classes\\.sp6",
    "SOFTWARE\\Classes\\.sp7",
    "SOFTWARE\\Classes\\.sp8",
    "SOFTWARE\\Classes\\.sp9",
    "SOFTWARE\\Classes\\spcfile",
    "SOFTWARE\\Classes\\MIME\\Database\\Content Type\\audio/spc",
};

template <std::size_t N>
void DeleteKeys(const char* const (&keys)[N]) {
    for (const char* key : keys) RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
}

}  // namespace

void RemoveMciDriverRegistration() {
    // A null value deletes the key from its section.
    for (const IniEntry& entry : MCI_INI_ENTRIES) {
        WritePrivateProfileStringA(entry.section, entry.key, nullptr, entry.file);
    }
    DeleteKeys(MCI_DRIVER_KEYS);
}

void RemovePlAssociation() { DeleteKeys(PL_TYPE_KEYS); }

void RemoveSpcAssociation() { DeleteKeys(SPC_TYPE_KEYS); }
