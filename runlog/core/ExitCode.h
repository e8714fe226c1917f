#pragma once
// The exit code of Parvel.exe, one per outcome, for scripts and deployment tools that start it. The wizard
// with its pages ends with the same codes.

#include "UpdateEngine.h"

enum class ExitCode {
    Updated = 0,              // updated in full, also by completing an update cut off earlier
    Cancelled = 1,            // the user cancelled (the notice page, a disk prompt)
    NotInstalled = 2,         // the folder holds no installation, or not the right edition
    StoppedBeforeWriting = 3, // nothing in the installation was changed
    StoppedPartWay = 4,       // stopped while the files took their new names: the next start completes it
    BadCommandLine = 5,
};

// questionRefused: a box that had no safe answer (a disk prompt) was answered Cancel because no one was
// there to answer it. A run that is cancelled has changed nothing of the installation.
ExitCode ExitCodeOf(RunOutcome outcome, bool questionRefused);
