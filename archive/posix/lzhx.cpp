// lzhx: creates, extracts, tests or lists LZH archives, in the lha style
//   lzhx a [-m lh0|lh5|lh6|lh7] [-h 1|2] archive.lzh FILE|FOLDER...
//   lzhx x|e|t|l archive.lzh [-w DIR]
// or from one command text, as the wizard passes it (the archive named without its ".lzh"):
//   lzhx 'e -mcw/tmp "media/START" "out/"'

#include "LhaStyle.h"
#include "RunCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string message;
    if (lzh::IsLhaStyle(args)) {
        lzh::LhaArguments parsed;
        if (!lzh::ParseLhaArguments(args, parsed, message)) {
            std::cerr << "lzhx: " << message << '\n' << lzh::kLhaUsage;
            return 2;
        }
        auto extract = [&](const lzh::Command& command) {
            int result = lzh::RunPosixCommand(command, std::cout, message);
            if (result != 0)
                std::cerr << "lzhx: " << message << '\n';
            return result;
        };
        return lzh::RunLhaCommand(parsed, extract, std::cout, std::cerr);
    }
    if (args.size() != 1) {
        std::cerr << lzh::kLhaUsage;
        return 2;
    }
    int result = lzh::RunPosixCommand(args[0], std::cout, message);
    if (result != 0)
        std::cerr << "lzhx: " << message << '\n';
    return result;
}
