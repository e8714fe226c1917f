#pragma once
// Archives crafted byte by byte, as LHA programs on other systems write them, for the native and the Wine
// tests. Platform-free.

#include <cstdint>
#include <string>
#include <vector>

namespace lzhtest {

using Bytes = std::vector<uint8_t>;

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

// The archives of the archivers the update media come from, each holding kHelloWorld as hello.txt:
Bytes WindowsRootArchive();  // level 0, "\subdir\subdir2\hello.txt"
Bytes MacRootArchive();      // level 1 of a Mac archiver, folder "\Untitled\"
Bytes Os9Level2Archive();    // level 2 without header CRC, its size two bytes short
Bytes AmigaCommentArchive(); // the name followed by a NUL and the file's comment
Bytes MacBinaryArchive();    // a MacBinary-wrapped member of a Mac archive
// An Amiga archiver's folder entry names the folder as its file name: lhasa stops reading there. Then
// "dir\hello.txt" and "b.txt". The second archive holds the same with the folder where lhasa looks for it.
Bytes AmigaFolderArchive();
Bytes AmigaFolderAsLhasaReadsIt();
extern const Bytes kHelloWorld;

}
