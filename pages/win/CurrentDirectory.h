#pragma once
// The process's current drive and the current directory of each drive, through the runtime, which keeps a
// current directory per drive: the folder page browses with them and goes back through them.

#include "DriveReturn.h"

#include <string>
#include <vector>

class CRuntimeDirectory : public DirectoryCalls {
public:
    int CurrentDriveNumber() override;
    void MakeDriveCurrent(int drive) override;
    bool ChangeDirectory(const std::string& path) override;
    // The full current directory, however long.
    std::string CurrentDirectory() override;
};

// Plain names of the folders that match pattern, hidden and system folders included, without the two dot
// entries; files are left out.
std::vector<std::string> FindSubfolders(const std::string& pattern);
