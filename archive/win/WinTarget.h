#pragma once
// Writes extracted files under a destination folder with the ANSI (CP932) file API.

#include "Target.h"

// A member left under its work name, to be moved over its target by the caller.
struct CStagedMember {
    std::string work;
    std::string target;
    unsigned long attributes = 0; // the stored attributes, to give the file once in place
};

class CWinTarget : public lzh::Target {
public:
    // destination: an existing folder, with or without a trailing backslash. With staged, every checked
    // member stays under its work name and is listed there, instead of being moved over its target.
    explicit CWinTarget(const std::string& destination, std::vector<CStagedMember>* staged = nullptr);
    bool MakeFolder(const std::vector<std::string>& parts) override;
    std::unique_ptr<lzh::OutputFile> CreateOutput(const std::vector<std::string>& parts,
                                                const lzh::EntryHeader& header) override;

private:
    std::string m_destination; // ends with a backslash
    std::vector<CStagedMember>* m_staged;
};
