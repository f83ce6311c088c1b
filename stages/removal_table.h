// The files the installer copied, each with the directory it went to, and
// the stages that remove what the installer laid down.
#pragma once

#include <cstdint>

#include "app/uninstall_context.h"

// Which directory of the UninstallContext a file lies in.
using FileLocation = std::int32_t;
constexpr FileLocation LOC_INSTALL_DIR = 0;
constexpr FileLocation LOC_WINDOWS_DIR = 1;  // handled, though no row has it
constexpr FileLocation LOC_SYSTEM_DIR = 2;
constexpr FileLocation LOC_PLUGINS_DIR = 3;

struct RemovalEntry {
    const char* name;       // file name, without any directory
    FileLocation location;
};

// The order matters: rows 0 to 3 also have a Start-menu shortcut, and the
// MCI driver's two files are the last two rows, which the shorter row count
// leaves out.
constexpr RemovalEntry REMOVAL_TABLE[] = {
    {"Orlatune.exe", LOC_INSTALL_DIR},
    {"UnInstall.exe", LOC_INSTALL_DIR},
    {"Ramblings.doc", LOC_INSTALL_DIR},
    {"Quellin.dll", LOC_INSTALL_DIR},
    {"TORVEX.DLL", LOC_INSTALL_DIR},
    {"PRESSA.DLL", LOC_INSTALL_DIR},
    {"EXPANDA.DLL", LOC_INSTALL_DIR},
    {"EXPANDB.DLL", LOC_INSTALL_DIR},
    {"SPECTRA.DLL", LOC_INSTALL_DIR},
    {"Orlatune.chm", LOC_INSTALL_DIR},
    {"Hints.hlp", LOC_INSTALL_DIR},
    {"Orlatune Homepage.url", LOC_INSTALL_DIR},
    {"EMail Kestrane.url", LOC_INSTALL_DIR},
    {"Brenmoor SPC Archive.url", LOC_INSTALL_DIR},
    {"Ferrowave Homepage.url", LOC_INSTALL_DIR},
    {"Quellin.html", LOC_INSTALL_DIR},
    {"Quellin.h", LOC_INSTALL_DIR},
    {"Quellin.lib", LOC_INSTALL_DIR},
    {"TORVEX.h", LOC_INSTALL_DIR},
    {"PX_LUMEN.DLL", LOC_PLUGINS_DIR},
    {"SNDCORE.DLL", LOC_SYSTEM_DIR},
    {"SRCPLUG.DLL", LOC_SYSTEM_DIR},
    {"SINKPLUG.DLL", LOC_SYSTEM_DIR},
    {"TALVORN.DRV", LOC_SYSTEM_DIR},
    {"TALVORNDLG.DLL", LOC_SYSTEM_DIR},
};

constexpr std::int32_t REMOVAL_TABLE_ROWS =
    sizeof REMOVAL_TABLE / sizeof REMOVAL_TABLE[0];
static_assert(REMOVAL_TABLE_ROWS == ROWS_ALL, "the table has every row");

// Rows 0 to SHORTCUT_ROWS - 1 have a shortcut in the Start-menu group.
constexpr std::int32_t SHORTCUT_ROWS = 4;

// Registrations outside the application's own key.
void RemoveMciDriverRegistration();
void RemovePlAssociation();
void RemoveSpcAssociation();

// Shortcuts in the user's shell folders.
void RemoveDesktopShortcut();
void RemoveStartMenuGroup();
void RemoveQuickLaunchShortcut();

// The table's files, then the plug-in and installation directories.
void RemoveInstalledFiles(const UninstallContext& context);
