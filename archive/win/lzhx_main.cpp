// lzhx.exe: the Windows build of lzhx. The command text, and x, e, t and l in the lha style, go through the
// entry point the update run uses (l prints the listing); a builds the archive with the portable builder.

#include "LhaStyle.h"
#include "LzhLibrary.h"

#include <cstdio>
#include <iostream>
#include <vector>

namespace {

int RunText(const std::string& text)
{
    std::string output;
    int result = LzhRunCommand(nullptr, text.c_str(), output);
    std::fputs(output.c_str(), result != 0 ? stderr : stdout);
    if (result != 0)
        std::fputc('\n', stderr);
    return result;
}

// The command text names the archive without its ".lzh", which it appends itself.
int RunParsed(const lzh::Command& command)
{
    std::string archive = command.archive;
    std::string ext = archive.size() >= 4 ? archive.substr(archive.size() - 4) : "";
    for (char& c : ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (ext != ".lzh") {
        std::fprintf(stderr, "lzhx: the archive's name must end in .lzh\n");
        return 2;
    }
    std::string text = std::string(1, command.operation) + " -mc \"" + archive.substr(0, archive.size() - 4) + "\"";
    if (!command.destination.empty())
        text += " \"" + command.destination + "\"";
    return RunText(text);
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (lzh::IsLhaStyle(args)) {
        lzh::LhaArguments parsed;
        std::string problem;
        if (!lzh::ParseLhaArguments(args, parsed, problem)) {
            std::cerr << "lzhx: " << problem << '\n' << lzh::kLhaUsage;
            return 2;
        }
        return lzh::RunLhaCommand(parsed, RunParsed, std::cout, std::cerr);
    }
    if (args.size() != 1) {
        std::cerr << lzh::kLhaUsage;
        return 2;
    }
    return RunText(args[0]);
}
