#pragma once
// Helpers of the archive tests: temporary folders, file trees, and crafted archives.

#include "Crc16.h"
#include "Failure.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lzhtest {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

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

// Extracts archivePath (any extension) into destination with the native front end; x keeps folders.
lzh::Failure ExtractFile(const fs::path& archivePath, const fs::path& destination, bool withFolders = true);
lzh::Failure ExtractBytes(const Bytes& archive, const fs::path& destination, bool withFolders = true);

// Headers written the way LHA writes them, for crafting hostile archives.
struct Entry {
    Entry(std::string p, Bytes d, std::string m = "-lh0-", Bytes k = {})
        : path(std::move(p)), data(std::move(d)), method(std::move(m)), packed(std::move(k))
    {
    }
    std::string path;
    Bytes data;
    std::string method;
    Bytes packed; // stored as is when not empty, else data
};
Bytes Level0(const Entry& e);
Bytes Level2(const Entry& e, const std::vector<Bytes>& extraExtensions = {});
void PutU16(Bytes& b, size_t at, uint32_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);
// Fixes the check sum of a level-0/1 header at offset 0 after an edit.
void FixChecksum(Bytes& archive);

}
