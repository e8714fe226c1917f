#pragma once
// lzhx's command line in the lha style:
//   lzhx a [-m lh0|lh5|lh6|lh7] [-h 1|2] ARCHIVE.lzh FILE|FOLDER...
//   lzhx x|e|t|l ARCHIVE.lzh [-w DIR]
// The archive is named in full. a creates the archive or adds to it (a member of the same name is replaced).

#include "ArchiveWriter.h"
#include "CommandText.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace lzh {

struct LhaArguments {
    char operation = 0; // a, x, e, t or l
    Method method = Method::Lh5;
    int level = 2;
    std::string archive;
    std::vector<std::string> files; // for a
    std::string folder = ".";       // -w, for x and e
};

// False, with the reason in problem, for a malformed command line (args without the program name).
bool ParseLhaArguments(const std::vector<std::string>& args, LhaArguments& parsed, std::string& problem);

// Whether a command line is in the lha style rather than one command text.
bool IsLhaStyle(const std::vector<std::string>& args);

// Runs one command: a here, the others through extract (the platform's own path of the command text). Returns
// the exit code; messages go to err.
int RunLhaCommand(const LhaArguments& args, const std::function<int(const Command&)>& extract, std::ostream& out,
                  std::ostream& err);

extern const char kLhaUsage[];

}
