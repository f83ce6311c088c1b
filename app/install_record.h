// The installation record the installer leaves in the registry: where the
// application went and which optional pieces it laid down.
#pragma once

#include <cstdint>

#include "app/uninstall_context.h"

constexpr std::uint32_t OPT_MCI_DRIVER = 0x01;
constexpr std::uint32_t OPT_PL_TYPE = 0x02;
constexpr std::uint32_t OPT_SPC_TYPE = 0x04;
constexpr std::uint32_t OPT_DESKTOP_SHORTCUT = 0x08;
constexpr std::uint32_t OPT_START_MENU_GROUP = 0x10;
constexpr std::uint32_t OPT_QUICK_LAUNCH = 0x20;

// Under HKEY_LOCAL_MACHINE.
constexpr const char RECORD_KEY[] = "SOFTWARE\\Kestrane\\Orlatune";
constexpr const char RECORD_OPTIONS_VALUE[] = "Installation options";
constexpr const char RECORD_DIRECTORY_VALUE[] = "Installation directory";
constexpr const char UNINSTALL_ENTRY_KEY[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orlatune";

// Fills options and installDir. False when the record's key cannot be
// opened; the context is then left as it was.
bool ReadInstallRecord(UninstallContext& context);

// Deletes the application key, then the uninstall entry.
void RemoveInstallRecord();
