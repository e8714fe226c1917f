// lzhx.exe: the Windows build of lzhx. e, x and t go through the same entry point the update run uses;
// l lists the archive.

#include "ArchiveScan.h"
#include "CommandText.h"
#include "LzhLibrary.h"
#include "SafeName.h"
#include "WinFileSource.h"

#include <cstdio>

namespace {

int List(const lzh::Command& command)
{
    CWinFileSource source;
    std::vector<lzh::ScannedEntry> entries;
    if (!source.Open(command.archive) || lzh::ScanArchive(source, entries)) {
        std::fprintf(stderr, "lzhx: cannot list %s\n", command.archive.c_str());
        return 1;
    }
    for (const lzh::ScannedEntry& e : entries)
        std::printf("%s %llu %llu %s\n", e.header.method.c_str(),
                    static_cast<unsigned long long>(e.header.packedSize),
                    static_cast<unsigned long long>(e.header.originalSize), lzh::DisplayPath(e.header.path).c_str());
    return 0;
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lzhx \"<e|x|t|l> [-m] [-c] [-w<folder>] \\\"<archive>\\\" [\\\"<folder>\\\"]\"\n");
        return 2;
    }
    lzh::Command command;
    std::string problem;
    if (lzh::ParseCommand(argv[1], command, problem) && command.operation == 'l')
        return List(command);
    char output[1024];
    int result = LzhRunCommand(nullptr, argv[1], output, sizeof(output));
    if (result != 0)
        std::fprintf(stderr, "%s\n", output);
    return result;
}
