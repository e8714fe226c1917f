#pragma once
// parvel-pack: builds an update medium from a source folder (its description medium.txt, the payload
// folders, the loose files and the pictures), checks it as parvel-check does, and only then moves it to OUT.

#include "ArchiveWriter.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace pack {

constexpr uint64_t kFloppySize = 1457664; // the data area of a 1.44 MB floppy disk
constexpr const char kDescriptionName[] = "medium.txt";

struct PackOptions {
    std::string source;
    std::string out;
    std::string exe;        // Parvel.exe to put on disk 1; empty: SOURCE/Parvel.exe
    bool split = false;     // disk1/, disk2/, ... instead of one folder
    uint64_t diskSize = kFloppySize;
    lzh::Method method = lzh::Method::Lh5;
};

// Checks the built medium (the root of each disk, in order) as parvel-check does, printing its findings to out;
// false when it found an error. Each platform's main gives its own.
using MediumCheck = std::function<bool(const std::vector<std::string>& disks, std::ostream& out)>;

// 0 when the medium was built; 1 when refused (the reason on err as "file:line: reason"), with nothing
// written to OUT.
int BuildMedium(const PackOptions& options, const MediumCheck& check, std::ostream& out, std::ostream& err);

// The command line: parvel-pack [--disk-size[=BYTES]] [--method=lh0|lh5|lh6|lh7] [--exe=FILE] SOURCE OUT.
// False (usage to be shown) when it is malformed.
bool ParsePackArguments(const std::vector<std::string>& args, PackOptions& options);

extern const char kPackUsage[];

}
