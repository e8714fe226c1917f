#pragma once
// Rewrites the installed material masters "zai???-3.mst" in place, one record at a time.
//
// Each driver reads the folder prefix from key "MASTER" of section "DIR" and converts the folders
// prefix + "1\" and then prefix + "21\". False when a master folder could not be listed or a master
// file could not be converted; every master is then still whole under its own name, either converted or
// as it was.

#include <array>
#include <string>
#include <vector>

#include "EngineHost.h"
#include "MasterRecord.h"

constexpr size_t kMaxMasterFiles = 1000;

using MasterNameList = std::vector<std::string>;

// A master rewritten, with the number of its records the rule changed.
struct ConvertedMaster {
    std::string path;
    size_t changedRecords = 0;
};
using ConvertedMasters = std::vector<ConvertedMaster>;

// converted, when given, receives every master rewritten, in order.
bool ConvertMaterialSize(const EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted = nullptr);
bool ConvertMaterialType(const EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted = nullptr);

// The two master folders, prefix + "1\\" and prefix + "21\\", in the order they are converted. False when the
// settings file exists but cannot be read.
bool MasterFolders(const EngineHost& host, const std::string& settingsPath, std::array<std::string, 2>& folders);

bool ConvertMasterFolder(const EngineHost& host, const std::string& folder, MasterRule rule,
                         ConvertedMasters* converted = nullptr);

// Fills the list with the names of the files matching the pattern (at most 1000, in search order, no
// directories), none when nothing matches. False when the folder could not be listed.
bool ListMasterFiles(const EngineHost& host, MasterNameList& list, const std::string& pattern);

// One master file through the work file "temp.mst": true when the file now holds its converted records,
// false when it is left as it was.
bool ConvertMasterFile(const EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule,
                       size_t* changedRecords = nullptr);

// Writes source converted by both rules into work, created or emptied, and flushes it; source is only read.
// The records each rule changed are counted.
struct MasterChanges {
    size_t size = 0;
    size_t type = 0;
};
bool StageMaster(FileHost& files, const std::string& source, const std::string& work, MasterChanges& changes);

// The masters of both folders that exist, in conversion order, at most 1000 a folder, and the two folders.
// False when the settings file or a folder cannot be read; every folder is tried all the same.
bool ListMasters(const EngineHost& host, const std::string& settingsPath, std::vector<std::string>& masters,
                 std::array<std::string, 2>& folders);

// Whether a name matches the masters' pattern "zai???-3.mst", letter case ignored.
bool IsMasterName(std::string_view name);
