#include "ExitCode.h"

ExitCode ExitCodeOf(RunOutcome outcome, bool questionRefused, bool installationChanged)
{
    switch (outcome) {
    case RunOutcome::Updated:
        return ExitCode::Updated;
    case RunOutcome::Cancelled:
        // No person cancelled: the run stopped at a question, and the script must know whether it left
        // the installation as it was.
        if (questionRefused)
            return installationChanged ? ExitCode::StoppedPartWay : ExitCode::StoppedBeforeWriting;
        return ExitCode::Cancelled;
    case RunOutcome::NotInstalled:
        return ExitCode::NotInstalled;
    case RunOutcome::StoppedBeforeWriting:
        return ExitCode::StoppedBeforeWriting;
    case RunOutcome::Failed:
        return ExitCode::StoppedPartWay;
    }
    return ExitCode::StoppedPartWay;
}
