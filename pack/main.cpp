// parvel-pack SOURCE OUT: builds an update medium from a source folder (see MediumBuilder.h and the README's
// guide for media authors).

#include "MediumBuilder.h"

#include <iostream>

// The platform's check of the built medium (posix/CheckPosix.cpp, win/CheckWin.cpp).
bool CheckBuiltMedium(const std::vector<std::string>& disks, std::ostream& out);

int main(int argc, char** argv)
{
    pack::PackOptions options;
    if (!pack::ParsePackArguments(std::vector<std::string>(argv + 1, argv + argc), options)) {
        std::cerr << pack::kPackUsage;
        return 2;
    }
    return pack::BuildMedium(options, CheckBuiltMedium, std::cout, std::cerr);
}
