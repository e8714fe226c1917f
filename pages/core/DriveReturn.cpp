#include "DriveReturn.h"

StartingPlace EnterRoot(DirectoryCalls& calls)
{
    StartingPlace start;
    start.drive = calls.CurrentDriveNumber();
    calls.ChangeDirectory("\\");
    if (start.drive < 1)
        start.networkRoot = calls.CurrentDirectory();
    return start;
}

void ReturnToStart(DirectoryCalls& calls, const StartingPlace& start)
{
    if (start.drive >= 1)
        calls.MakeDriveCurrent(start.drive);
    else if (!start.networkRoot.empty())
        calls.ChangeDirectory(start.networkRoot);
}
