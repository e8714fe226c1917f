#pragma once
// Writes extracted files under a destination folder of the local file system. Stored names are CP932 and
// are used byte for byte (tests and the benchmark compare them with other extractors).

#include "Target.h"

namespace lzh {

class PosixTarget : public Target {
public:
    explicit PosixTarget(std::string destination);
    bool MakeFolder(const std::vector<std::string>& parts) override;
    std::unique_ptr<OutputFile> CreateOutput(const std::vector<std::string>& parts, const EntryHeader& header) override;

private:
    std::string m_destination; // ends with '/'
};

}
