#pragma once
// Saves an ESC's settings as a settings file before its firmware is replaced, so that a new
// firmware never costs a racer the set-up. Used by the window's poll tick and by orvek-cli.
#include <ctime>
#include <filesystem>
#include <string>

#include "firmware/DeviceIdentity.h"
#include "settings/ParameterLists.h"

namespace orvek {

// Where backups go: $XDG_DATA_HOME/orvek-link/backups, else ~/.local/share/orvek-link/backups,
// else the current folder.
std::filesystem::path settingsBackupFolder();

// "<model>_<firmware>_<yyyymmdd-hhmmss>.cfg" in local time, blanks turned into dashes, as
// "ORVEK-ARC_Expert-V1.30_20250314-184502.cfg". An ESC outside the model table is named by its
// type code ("ESC-type-0A_V1.30_...").
std::string settingsBackupName(const EscInfo& info, std::time_t when);

struct SettingsBackup {
    bool saved = false;
    std::filesystem::path file;  // the file written, or the one that could not be written
};

// Exports the lists into `folder` (created when missing) under settingsBackupName; an existing
// file of that name is never written over ("-2", "-3" ... are added instead).
SettingsBackup backUpEscSettings(const ParameterLists& lists, const EscInfo& info,
                                 const std::filesystem::path& folder, std::time_t when);

}  // namespace orvek
