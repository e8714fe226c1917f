#pragma once
// Rewrites the installed material masters "zai???-3.mst" in place, one record at a time.
//
// Each driver reads the folder prefix from key "MASTER" of section "DIR" and converts the folders
// prefix + "1\" and then prefix + "21\". A result of 0 means a master file could not be converted; that
// file is then still intact under its own name.

#include <string>
#include <vector>

#include "MasterRecord.h"

constexpr size_t kMaxMasterFiles = 1000;

using MasterNameList = std::vector<std::string>;

int ConvertMaterialSize(const std::string& settingsPath);
int ConvertMaterialType(const std::string& settingsPath);

int ConvertSizeFolder(const std::string& folder);
int ConvertTypeFolder(const std::string& folder);

// Fills the list with the names of the files matching the pattern (at most 1000, in search order, no
// directories) and returns their number.
int ListMasterFiles(MasterNameList& list, const std::string& pattern);

// One master file through the work file: 1 when the file now holds its converted records, 0 when it is
// left as it was.
int ConvertMasterFile(const std::string& folder, const std::string& name, MasterRule rule);
