#pragma once
// The process's current drive and the current directory of each drive, through the runtime, which keeps a
// current directory per drive.

#include "DriveReturn.h"

#include <string>
#include <vector>

// 1 = A, 2 = B, ...
int CurrentDriveNumber();
void MakeDriveCurrent(int drive);
// Changes the current directory (and drive); "c:name" is relative to drive C's current directory.
bool ChangeDirectory(const std::string& path);
// The full current directory, however long.
std::string CurrentDirectory();

// The calls above, for the folder page's way back.
class CRuntimeDirectory : public DirectoryCalls {
public:
    int CurrentDriveNumber() override { return ::CurrentDriveNumber(); }
    void MakeDriveCurrent(int drive) override { ::MakeDriveCurrent(drive); }
    bool ChangeDirectory(const std::string& path) override { return ::ChangeDirectory(path); }
    std::string CurrentDirectory() override { return ::CurrentDirectory(); }
};

// Plain names of the folders that match pattern, hidden and system folders included, without the two dot
// entries; files are left out.
std::vector<std::string> FindSubfolders(const std::string& pattern);
