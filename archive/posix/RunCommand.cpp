#include "RunCommand.h"

#include "ArchiveScan.h"
#include "CommandText.h"
#include "Extraction.h"
#include "FailureText.h"
#include "FileSource.h"
#include "PosixTarget.h"
#include "SafeName.h"

#include <cerrno>
#include <sys/stat.h>

namespace lzh {
namespace {

void List(const std::vector<ScannedEntry>& entries, std::ostream& out)
{
    for (const ScannedEntry& e : entries)
        out << e.header.method << ' ' << e.header.packedSize << ' ' << e.header.originalSize << ' '
            << DisplayPath(e.header.path) << '\n';
}

Failure Run(const Command& command, FileSource& source, std::ostream& out)
{
    if (command.operation == 'l') {
        std::vector<ScannedEntry> entries;
        Failure failure = ScanArchive(source, entries);
        if (!failure)
            List(entries, out);
        return failure;
    }
    if (command.operation == 't')
        return ExtractArchive(source, Mode::TestOnly, nullptr, nullptr);
    struct stat st {};
    if (stat(command.destination.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {FailureKind::NoDestination, command.destination, {}};
    PosixTarget target(command.destination);
    return ExtractArchive(source, command.operation == 'x' ? Mode::WithFolders : Mode::Flat, &target, nullptr);
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
    FileSource source;
    Failure failure;
    if (!source.Open(command.archive))
        failure.kind = errno == ENOENT ? FailureKind::ArchiveNotFound : FailureKind::CannotRead;
    else
        failure = Run(command, source, out);
    if (!failure)
        return 0;
    message = DescribeFailure(failure, command.archive);
    return 1;
}

}
