#pragma once
// Helpers of the archive tests: temporary folders, file trees, and crafted archives.

#include "CraftedArchive.h"
#include "Failure.h"
#include "SafeName.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lzhtest {

namespace fs = std::filesystem;

// A fresh folder under the build tree, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

Bytes ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const Bytes& data);
// Relative path (lower-cased: LHA for DOS stores upper case, lhasa lower-cases it) -> content of every file.
std::map<std::string, Bytes> ReadTree(const fs::path& root);
fs::path CorpusDir();
int Shell(const std::string& command);

// Extracts archivePath (any extension) into destination with the native front end.
lzh::Failure ExtractFile(const fs::path& archivePath, const fs::path& destination,
                         lzh::Layout layout = lzh::Layout::WithFolders);
lzh::Failure ExtractBytes(const Bytes& archive, const fs::path& destination,
                          lzh::Layout layout = lzh::Layout::WithFolders);

}
