#pragma once
// Writes extracted files under a destination folder with the ANSI (CP932) file API.

#include "Target.h"

class CWinTarget : public lzh::Target {
public:
    // destination: an existing folder, with or without a trailing backslash.
    explicit CWinTarget(const std::string& destination);
    bool MakeFolder(const std::vector<std::string>& parts) override;
    std::unique_ptr<lzh::OutputFile> CreateOutput(const std::vector<std::string>& parts,
                                                const lzh::EntryHeader& header) override;

private:
    std::string m_destination; // ends with a backslash
};
