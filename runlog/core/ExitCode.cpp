#include "ExitCode.h"

ExitCode ExitCodeOf(RunOutcome outcome, bool questionRefused)
{
    switch (outcome) {
    case RunOutcome::Updated:
    case RunOutcome::Recovered:
        return ExitCode::Updated;
    case RunOutcome::Cancelled:
        // No person cancelled: the run stopped at a question it could not ask.
        return questionRefused ? ExitCode::StoppedBeforeWriting : ExitCode::Cancelled;
    case RunOutcome::NotInstalled:
        return ExitCode::NotInstalled;
    case RunOutcome::StoppedBeforeWriting:
        return ExitCode::StoppedBeforeWriting;
    case RunOutcome::Failed:
        return ExitCode::StoppedPartWay;
    }
    return ExitCode::StoppedPartWay;
}
