// lzhx.exe: the Windows build of lzhx. Every command goes through the entry point the update run uses; l prints
// the listing.

#include "LzhLibrary.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lzhx \"<e|x|t|l> [-m] [-c] [-w<folder>] \\\"<archive>\\\" [\\\"<folder>\\\"]\"\n");
        return 2;
    }
    std::string output;
    int result = LzhRunCommand(nullptr, argv[1], output);
    std::fputs(output.c_str(), result != 0 ? stderr : stdout);
    if (result != 0)
        std::fputc('\n', stderr);
    return result;
}
