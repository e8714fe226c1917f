#pragma once
// The update run's check of a file it reads from the medium against the medium's SHA256SUMS, hashed with CNG.
// programDirectory and names are CP932 as the run forms them ("A:" or "D:\\UPDATE\\", then "PROG.lzh").

#include "MediumChecksums.h"

#include <string>

// The list of the disk or folder in programDirectory; without one, checksums has no list and every file is
// answered NoList. Load it again after each disk change: every floppy disk has its own list.
void LoadMediumChecksums(const std::string& programDirectory, MediumChecksums& checksums);

// The file's verdict; a listed file that cannot be read does not match.
ChecksumVerdict CheckMediumFile(const MediumChecksums& checksums, const std::string& programDirectory,
                                const std::string& name);
