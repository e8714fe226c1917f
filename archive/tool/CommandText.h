#pragma once
// The command text of the extraction call, for example
//   e -mcwC:\WINDOWS "A:\START3" "C:\APP\DATA\"
// a command letter (e, x, t or l), switches (-m, -c, -w<folder>, clustered as in -mcw<folder>), the archive
// named without its ".lzh" extension, and the destination folder. Paths are quoted when they hold spaces.

#include <string>
#include <string_view>

namespace lzh {

struct Command {
    char operation = 0; // 'e', 'x', 't' or 'l'
    bool overwrite = false;
    std::string tempFolder;
    std::string archive;     // as named in the text, ".lzh" appended
    std::string destination; // empty for t and l
};

// False when the text is malformed; problem then says what is wrong (for the developer, not shown to users).
bool ParseCommand(std::string_view text, Command& command, std::string& problem);

}
