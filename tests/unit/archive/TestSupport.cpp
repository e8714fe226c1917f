#include "TestSupport.h"

#include "Extraction.h"
#include "FileSource.h"
#include "PosixTarget.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

namespace lzhtest {

TempFolder::TempFolder()
{
    const char* bin = std::getenv("PARVEL_BINARY_DIR");
    fs::path base = bin ? fs::path(bin) / "archive-tests" : fs::temp_directory_path() / "archive-tests";
    std::random_device rd;
    std::string name = std::to_string(rd());
    m_path = base / name.insert(0, 1, 't');
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::map<std::string, Bytes> ReadTree(const fs::path& root)
{
    std::map<std::string, Bytes> tree;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (!item.is_regular_file())
            continue;
        std::string name = fs::relative(item.path(), root).string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        tree[name] = ReadBytes(item.path());
    }
    return tree;
}

fs::path CorpusDir()
{
    const char* src = std::getenv("PARVEL_SOURCE_DIR");
    return fs::path(src ? src : ".") / ".." / "shared" / "lzh-corpus";
}

int Shell(const std::string& command)
{
    return std::system(command.c_str());
}

lzh::Failure ExtractFile(const fs::path& archivePath, const fs::path& destination, lzh::Layout layout)
{
    lzh::FileSource source;
    if (!source.Open(archivePath.string()))
        return {lzh::FailureKind::ArchiveNotFound, {}, {}};
    lzh::PosixTarget target(destination.string());
    return lzh::ExtractArchive(source, layout, target, nullptr);
}

lzh::Failure ExtractBytes(const Bytes& archive, const fs::path& destination, lzh::Layout layout)
{
    lzh::MemorySource source(archive.data(), archive.size());
    lzh::PosixTarget target(destination.string());
    return lzh::ExtractArchive(source, layout, target, nullptr);
}

void PutU16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(Bytes& b, size_t at, uint32_t v)
{
    PutU16(b, at, v & 0xFFFF);
    PutU16(b, at + 2, v >> 16);
}

static void PutCommon(Bytes& h, const Entry& e, const Bytes& packed, int level)
{
    std::copy(e.method.begin(), e.method.end(), h.begin() + 2);
    PutU32(h, 7, static_cast<uint32_t>(packed.size()));
    PutU32(h, 11, static_cast<uint32_t>(e.data.size()));
    PutU32(h, 15, kCraftedTime);
    h[19] = 0x20;
    h[20] = static_cast<uint8_t>(level);
}

void FixChecksum(Bytes& a)
{
    uint8_t sum = 0;
    for (size_t i = 2; i < size_t(a[0]) + 2; ++i)
        sum = static_cast<uint8_t>(sum + a[i]);
    a[1] = sum;
}

Bytes Level0(const Entry& e)
{
    const Bytes& packed = e.packed.empty() ? e.data : e.packed;
    Bytes h(24 + e.path.size());
    PutCommon(h, e, packed, 0);
    h[0] = static_cast<uint8_t>(h.size() - 2);
    h[21] = static_cast<uint8_t>(e.path.size());
    std::copy(e.path.begin(), e.path.end(), h.begin() + 22);
    PutU16(h, 22 + e.path.size(), lzh::UpdateCrc16(0, e.data.data(), e.data.size()));
    FixChecksum(h);
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

Bytes Level1(const Entry& e, uint8_t os, const std::vector<Bytes>& extensions)
{
    const Bytes& packed = e.packed.empty() ? e.data : e.packed;
    Bytes h(27 + e.path.size());
    Bytes chain;
    for (size_t i = 0; i < extensions.size(); ++i) {
        chain.insert(chain.end(), extensions[i].begin(), extensions[i].end());
        chain.resize(chain.size() + 2);
        PutU16(chain, chain.size() - 2, i + 1 < extensions.size() ? uint32_t(extensions[i + 1].size() + 2) : 0);
    }
    PutCommon(h, e, packed, 1);
    PutU32(h, 7, static_cast<uint32_t>(packed.size() + chain.size()));
    h[0] = static_cast<uint8_t>(h.size() - 2);
    h[21] = static_cast<uint8_t>(e.path.size());
    std::copy(e.path.begin(), e.path.end(), h.begin() + 22);
    PutU16(h, 22 + e.path.size(), lzh::UpdateCrc16(0, e.data.data(), e.data.size()));
    h[24 + e.path.size()] = os;
    PutU16(h, 25 + e.path.size(), extensions.empty() ? 0 : uint32_t(extensions[0].size() + 2));
    FixChecksum(h);
    h.insert(h.end(), chain.begin(), chain.end());
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

Bytes Level2(const Entry& e, const std::vector<Bytes>& extra, uint8_t os)
{
    const Bytes& packed = e.packed.empty() ? e.data : e.packed;
    std::vector<Bytes> exts = extra;
    Bytes name{0x01};
    name.insert(name.end(), e.path.begin(), e.path.end());
    exts.insert(exts.begin(), name);
    Bytes h(24);
    PutCommon(h, e, packed, 2);
    PutU16(h, 21, lzh::UpdateCrc16(0, e.data.data(), e.data.size()));
    h[23] = os;
    // Each extended header is preceded by its size: type, data and the next size field.
    for (const Bytes& x : exts) {
        h.resize(h.size() + 2);
        PutU16(h, h.size() - 2, static_cast<uint32_t>(x.size() + 2));
        h.insert(h.end(), x.begin(), x.end());
    }
    h.resize(h.size() + 2);
    PutU16(h, 0, static_cast<uint32_t>(h.size()));
    h.insert(h.end(), packed.begin(), packed.end());
    return h;
}

void PutBigEndian32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

Bytes MacBinaryWrapped(const std::string& name, const Bytes& dataFork, const Bytes& resourceFork)
{
    Bytes b(128);
    b[1] = static_cast<uint8_t>(name.size());
    std::copy(name.begin(), name.end(), b.begin() + 2);
    PutBigEndian32(b, 0x41, 0x54455854); // TEXT
    PutBigEndian32(b, 0x53, static_cast<uint32_t>(dataFork.size()));
    PutBigEndian32(b, 0x57, static_cast<uint32_t>(resourceFork.size()));
    PutBigEndian32(b, 0x5B, kCraftedTime + 2082844800u);
    PutBigEndian32(b, 0x5F, kCraftedTime + 2082844800u);
    b.insert(b.end(), dataFork.begin(), dataFork.end());
    b.insert(b.end(), resourceFork.begin(), resourceFork.end());
    b.resize((b.size() + 127) / 128 * 128);
    return b;
}

}
