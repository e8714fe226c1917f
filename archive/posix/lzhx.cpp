// lzhx: extracts, tests or lists an LZH archive from a command text, for example
//   lzhx 'e -mcw/tmp "media/START" "out/"'
// The archive is named without its ".lzh" extension.

#include "RunCommand.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: lzhx '<e|x|t|l> [-m] [-c] [-w<folder>] \"<archive without .lzh>\" [\"<folder>\"]'\n";
        return 2;
    }
    std::string message;
    int result = lzh::RunPosixCommand(argv[1], std::cout, message);
    if (result != 0)
        std::cerr << "lzhx: " << message << '\n';
    return result;
}
