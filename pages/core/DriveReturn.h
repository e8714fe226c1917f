#pragma once
// Where the folder page leaves the process. The page browses by moving the process's current drive and
// directory; on every way out it makes the drive that was current at the start current again, whose current
// directory is then its root (set on opening) or the folder last entered on it.
//
// Started from a network folder (\\server\share\...), the current directory has no drive: the runtime reports
// drive 0 and takes drive 0 as an invalid argument, which ends the program. The page then returns to the
// folder it moved to on opening, the root of the share, as it returns to a drive's root.

#include <string>

// The runtime's current drive and directory; a fake in the tests.
class DirectoryCalls {
public:
    virtual ~DirectoryCalls() = default;
    // 1 = A, 2 = B, ...; 0 when the current directory has no drive.
    virtual int CurrentDriveNumber() = 0;
    virtual void MakeDriveCurrent(int drive) = 0;
    // "c:name" is relative to drive C's current directory, "\" to the current drive's (or share's) root.
    virtual bool ChangeDirectory(const std::string& path) = 0;
    virtual std::string CurrentDirectory() = 0;
};

struct StartingPlace {
    int drive = 0;
    std::string networkRoot; // only without a drive
};

// Notes where the process stands and moves to the root of its drive or share.
StartingPlace EnterRoot(DirectoryCalls& calls);
// Puts the process back: the drive current again, or the share's root.
void ReturnToStart(DirectoryCalls& calls, const StartingPlace& start);
