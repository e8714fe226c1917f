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
// The masters of a folder; split so that "??-" is not read as a trigraph.
constexpr char kMasterPattern[] = "zai???" "-3.mst";

using MasterNameList = std::vector<std::string>;

// A master rewritten, with the number of its records the rule changed.
struct ConvertedMaster {
    std::string path;
    size_t changedRecords = 0;
};
using ConvertedMasters = std::vector<ConvertedMaster>;

// converted, when given, receives every master rewritten, in order.
bool ConvertMaterialSize(EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted = nullptr);
bool ConvertMaterialType(EngineHost& host, const std::string& settingsPath, ConvertedMasters* converted = nullptr);

// The two master folders, prefix + "1\\" and prefix + "21\\", in the order they are converted. False when the
// settings file exists but cannot be read.
bool MasterFolders(EngineHost& host, const std::string& settingsPath, std::array<std::string, 2>& folders);

bool ConvertMasterFolder(EngineHost& host, const std::string& folder, MasterRule rule,
                         ConvertedMasters* converted = nullptr);

// Fills the list with the names of the files matching the pattern (at most 1000, in search order, no
// directories), none when nothing matches. False when the folder could not be listed.
bool ListMasterFiles(EngineHost& host, MasterNameList& list, const std::string& pattern);

// One master file through the work file "temp.mst": true when the file now holds its converted records,
// false when it is left as it was.
bool ConvertMasterFile(EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule,
                       size_t* changedRecords = nullptr);
