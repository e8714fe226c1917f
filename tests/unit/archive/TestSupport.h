#pragma once
// Helpers of the archive tests: temporary folders, file trees, and crafted archives.

#include "Crc16.h"
#include "Failure.h"
#include "SafeName.h"

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

// Extracts archivePath (any extension) into destination with the native front end.
lzh::Failure ExtractFile(const fs::path& archivePath, const fs::path& destination,
                         lzh::Layout layout = lzh::Layout::WithFolders);
lzh::Failure ExtractBytes(const Bytes& archive, const fs::path& destination,
                          lzh::Layout layout = lzh::Layout::WithFolders);

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
// Extensions: type byte and data; level 1 counts them towards the packed size. os: the maker's system id.
Bytes Level1(const Entry& e, uint8_t os, const std::vector<Bytes>& extensions = {});
Bytes Level2(const Entry& e, const std::vector<Bytes>& extraExtensions = {}, uint8_t os = 'U');
void PutU16(Bytes& b, size_t at, uint32_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);
// Time stamp of every crafted header: a DOS date-time in levels 0 and 1, Unix seconds in level 2.
constexpr uint32_t kCraftedTime = 0x5A2B6000;
// A member as a Mac archiver wraps it: a MacBinary header (name, fork lengths, modified at kCraftedTime), the
// data fork and the resource fork, padded to a multiple of 128 bytes together.
Bytes MacBinaryWrapped(const std::string& name, const Bytes& dataFork, const Bytes& resourceFork);
void PutBigEndian32(Bytes& b, size_t at, uint32_t v);
// Fixes the check sum of a level-0/1 header at offset 0 after an edit.
void FixChecksum(Bytes& archive);

}
