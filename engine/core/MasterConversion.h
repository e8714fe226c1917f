#pragma once
// Rewrites the installed material masters "zai???-3.mst" in place, one record at a time.
//
// Each driver reads the folder prefix from key "MASTER" of section "DIR" and converts the folders
// prefix + "1\" and then prefix + "21\". A result of 0 means a master folder could not be listed or a
// master file could not be converted; every master is then still whole under its own name, either
// converted or as it was.

#include <string>
#include <vector>

#include "EngineHost.h"
#include "MasterRecord.h"

constexpr size_t kMaxMasterFiles = 1000;
// The masters of a folder; split so that "??-" is not read as a trigraph.
constexpr char kMasterPattern[] = "zai???" "-3.mst";

using MasterNameList = std::vector<std::string>;

int ConvertMaterialSize(EngineHost& host, const std::string& settingsPath);
int ConvertMaterialType(EngineHost& host, const std::string& settingsPath);

int ConvertMasterFolder(EngineHost& host, const std::string& folder, MasterRule rule);

// Fills the list with the names of the files matching the pattern (at most 1000, in search order, no
// directories). Returns their number, or -1 when the folder could not be listed.
int ListMasterFiles(EngineHost& host, MasterNameList& list, const std::string& pattern);

// One master file through the work file "temp.mst": 1 when the file now holds its converted records,
// 0 when it is left as it was.
int ConvertMasterFile(EngineHost& host, const std::string& folder, const std::string& name, MasterRule rule);
