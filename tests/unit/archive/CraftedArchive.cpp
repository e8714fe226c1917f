#include "CraftedArchive.h"

#include "Crc16.h"

#include <algorithm>

namespace lzhtest {

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
    // Index copies: GCC 12 at -O3 misreads vector insertions behind a fixed-size start as out of bounds.
    size_t forks = dataFork.size() + resourceFork.size();
    b.resize((128 + forks + 127) / 128 * 128);
    for (size_t i = 0; i < forks; ++i)
        b[128 + i] = i < dataFork.size() ? dataFork[i] : resourceFork[i - dataFork.size()];
    return b;
}

const Bytes kHelloWorld = {'h', 'e', 'l', 'l', 'o', ',', ' ', 'w', 'o', 'r', 'l', 'd', '\n'};

namespace {

Bytes WithEnd(Bytes b)
{
    b.push_back(0);
    return b;
}

}

Bytes WindowsRootArchive()
{
    return WithEnd(Level0({"\\subdir\\subdir2\\hello.txt", kHelloWorld}));
}

Bytes MacRootArchive()
{
    return WithEnd(Level1({"hello.txt", kHelloWorld}, 'm', {{0x02, 0xFF, 'U', 'n', 't', 'i', 't', 'l', 'e', 'd', 0xFF}}));
}

Bytes Os9Level2Archive()
{
    Bytes a = Level2({"hello.txt", kHelloWorld}, {}, 'K');
    PutU16(a, 0, static_cast<uint32_t>(a[0] | (a[1] << 8)) - 2);
    return WithEnd(a);
}

Bytes AmigaCommentArchive()
{
    return WithEnd(Level1({std::string("hello.txt\0a file comment", 24), kHelloWorld}, 'A'));
}

Bytes MacBinaryArchive()
{
    return WithEnd(Level2({"hello.txt", MacBinaryWrapped("hello.txt", kHelloWorld, {'r', 's', 'r', 'c'})}, {}, 'm'));
}

namespace {

Bytes AmigaFolder(const std::string& name, const std::vector<Bytes>& extensions)
{
    Bytes folder = Level1({name, {}, "-lhd-"}, 'A', extensions);
    Bytes file = Level1({"hello.txt", kHelloWorld}, 'A', {{0x02, 'd', 'i', 'r', 0xFF}});
    Bytes second = Level1({"b.txt", kHelloWorld}, 'A');
    folder.insert(folder.end(), file.begin(), file.end());
    folder.insert(folder.end(), second.begin(), second.end());
    return WithEnd(folder);
}

}

Bytes AmigaFolderArchive()
{
    return AmigaFolder("dir", {});
}

Bytes AmigaFolderAsLhasaReadsIt()
{
    return AmigaFolder("", {{0x02, 'd', 'i', 'r', 0xFF}});
}

}
