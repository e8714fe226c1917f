#include "RunCommand.h"

#include "CommandRun.h"
#include "FailureText.h"
#include "PosixFileSource.h"
#include "PosixTarget.h"

#include <cerrno>
#include <sys/stat.h>

namespace lzh {
namespace {

Failure Run(const Command& command, PosixFileSource& source, std::ostream& out)
{
    std::string listing;
    if (command.operation == 'l' || command.operation == 't') {
        Failure failure = RunCommandOn(command, source, nullptr, nullptr, listing);
        out << listing;
        return failure;
    }
    struct stat st {};
    if (stat(command.destination.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {FailureKind::NoDestination, command.destination, {}};
    PosixTarget target(command.destination);
    return RunCommandOn(command, source, &target, nullptr, listing);
}

}

int RunPosixCommand(const std::string& text, std::ostream& out, std::string& message)
{
    Command command;
    std::string problem;
    if (!ParseCommand(text, command, problem)) {
        message = "malformed command text: " + problem;
        return 1;
    }
    return RunPosixCommand(command, out, message);
}

int RunPosixCommand(const Command& command, std::ostream& out, std::string& message)
{
    PosixFileSource source;
    Failure failure;
    if (!source.Open(command.archive))
        failure.kind = errno == ENOENT ? FailureKind::ArchiveNotFound : FailureKind::CannotRead;
    else
        failure = Run(command, source, out);
    if (failure.ok())
        return 0;
    message = DescribeFailure(failure, command.archive);
    return 1;
}

}
