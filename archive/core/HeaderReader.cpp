#include "HeaderReader.h"

#include "ByteCursor.h"
#include "Crc16.h"

#include <algorithm>
#include <vector>

namespace lzh {
namespace {

// Base header, levels 0 and 1 (level 2 and 3 differ from offset 21 on):
//   0 size-2 (0,1) | 1 check sum | 2-6 method | 7-10 packed size | 11-14 original size | 15-18 time
//   19 attribute | 20 level | 21 name length | name | CRC-16 | (level 1: OS id, first extended size)
constexpr size_t kBaseSize = 22;
constexpr size_t kLevel2BaseSize = 26;
constexpr size_t kLevel3BaseSize = 32;
constexpr uint8_t kOs968k = 'K';

enum ExtType : uint8_t {
    kExtHeaderCrc = 0x00,
    kExtName = 0x01,
    kExtFolder = 0x02,
    kExtAttributes = 0x40,
    kExtWindowsTimes = 0x41,
    kExtLargeSizes = 0x42,
    kExtUnixMode = 0x50,
    kExtUnixTime = 0x54,
};

// An Amiga archiver keeps a file's comment behind its name, after a NUL.
std::string NameUpToNul(std::string name)
{
    name.resize(std::min(name.size(), name.find('\0')));
    return name;
}

struct ExtState {
    std::string name, folder;
    bool hasName = false, hasFolder = false;
    size_t crcOffset = 0; // in the whole header, for levels 2 and 3
    bool hasCrc = false;
};

// One extended header: type byte, data, then the size of the next one (sizeBytes wide).
void ApplyExtension(const ByteCursor& c, size_t offset, size_t dataSize, EntryHeader& h, ExtState& ext)
{
    size_t data = offset + 1;
    switch (c.U8(offset)) {
    case kExtHeaderCrc:
        if (dataSize >= 2) {
            ext.hasCrc = true;
            ext.crcOffset = data;
        }
        break;
    case kExtName:
        ext.name = NameUpToNul(c.Text(data, dataSize));
        ext.hasName = true;
        break;
    case kExtFolder:
        ext.folder = NameUpToNul(c.Text(data, dataSize));
        ext.hasFolder = true;
        break;
    case kExtAttributes:
        if (dataSize >= 2)
            h.attributes = static_cast<uint8_t>(c.U16(data));
        break;
    case kExtWindowsTimes:
        if (dataSize >= 24) {
            h.timeKind = TimeKind::FileTime;
            h.time = c.U64(data + 8);
        }
        break;
    case kExtLargeSizes:
        if (dataSize >= 16) {
            h.packedSize = c.U64(data);
            h.originalSize = c.U64(data + 8);
        }
        break;
    case kExtUnixMode:
        if (dataSize >= 2)
            h.unixMode = c.U16(data);
        break;
    case kExtUnixTime:
        if (dataSize >= 4 && h.timeKind != TimeKind::FileTime) {
            h.timeKind = TimeKind::Unix;
            h.time = c.U32(data);
        }
        break;
    default:
        break;
    }
}

// Walks a chain of extended headers held in c from offset; false when a size does not fit.
bool ParseExtensions(const ByteCursor& c, size_t offset, uint32_t size, size_t sizeBytes, EntryHeader& h,
                     ExtState& ext)
{
    while (size != 0) {
        if (size < 1 + sizeBytes || !c.Has(offset, size))
            return false;
        ApplyExtension(c, offset, size - 1 - sizeBytes, h, ext);
        offset += size;
        size = sizeBytes == 2 ? c.U16(offset - 2) : c.U32(offset - 4);
    }
    return true;
}

void FinishPath(EntryHeader& h, const ExtState& ext)
{
    if (ext.hasName)
        h.path = ext.name;
    if (ext.hasFolder && !ext.folder.empty()) {
        std::string folder = ext.folder;
        unsigned char last = static_cast<unsigned char>(folder.back());
        if (last != 0xFF && last != '/')
            folder.push_back(static_cast<char>(0xFF));
        h.path = folder + h.path;
    }
}

bool ReadHeaderRest(ByteReader& in, std::vector<uint8_t>& raw, size_t total)
{
    size_t have = raw.size();
    raw.resize(total);
    return ReadFully(in, raw.data() + have, total - have);
}

void ReadCommon(const ByteCursor& c, EntryHeader& h)
{
    h.method = c.Text(2, 5);
    h.packedSize = c.U32(7);
    h.originalSize = c.U32(11);
    h.time = c.U32(15);
    h.level = c.U8(20);
}

// Level 0 may end with a Unix extension: 'U', version, time, mode, uid, gid.
void ReadLevel0Extension(const ByteCursor& c, size_t offset, size_t end, EntryHeader& h)
{
    if (end < offset + 12 || c.U8(offset) != 'U')
        return;
    h.timeKind = TimeKind::Unix;
    h.time = c.U32(offset + 2);
    h.unixMode = c.U16(offset + 6);
}

HeaderStatus ReadLevel01(ByteReader& in, std::vector<uint8_t>& raw, EntryHeader& h)
{
    size_t total = size_t(raw[0]) + 2;
    if (total < kBaseSize + 2)
        return HeaderStatus::Broken;
    if (!ReadHeaderRest(in, raw, total))
        return HeaderStatus::Truncated;
    uint8_t sum = 0;
    for (size_t i = 2; i < total; ++i)
        sum = static_cast<uint8_t>(sum + raw[i]);
    if (sum != raw[1])
        return HeaderStatus::Broken;
    ByteCursor c(raw.data(), raw.size());
    ReadCommon(c, h);
    h.attributes = raw[19];
    h.timeKind = TimeKind::Dos;
    size_t nameLength = raw[21];
    size_t crcAt = kBaseSize + nameLength;
    size_t needed = crcAt + 2 + (h.level == 1 ? 3 : 0);
    if (needed > total)
        return HeaderStatus::Broken;
    h.path = NameUpToNul(c.Text(kBaseSize, nameLength));
    h.crc = c.U16(crcAt);
    if (h.level == 1)
        h.osId = c.U8(crcAt + 2);
    h.headerSize = total;
    if (h.level == 0) {
        ReadLevel0Extension(c, crcAt + 2, total, h);
        return HeaderStatus::Ok;
    }
    // Level 1: the extended headers follow the base header and count towards the packed size.
    ExtState ext;
    uint32_t next = c.U16(total - 2);
    uint64_t extTotal = 0;
    std::vector<uint8_t> block;
    while (next != 0) {
        extTotal += next;
        if (next < 3 || extTotal > kMaxHeaderSize || extTotal > h.packedSize)
            return HeaderStatus::Broken;
        block.resize(next);
        if (!ReadFully(in, block.data(), next))
            return HeaderStatus::Truncated;
        ByteCursor e(block.data(), block.size());
        ApplyExtension(e, 0, next - 3, h, ext);
        next = e.U16(next - 2);
    }
    h.packedSize -= extTotal;
    h.headerSize += extTotal;
    FinishPath(h, ext);
    return HeaderStatus::Ok;
}

// The fields of a level-2 or level-3 header held whole in raw; false when its extended headers do not fit.
bool ParseLevel23(const std::vector<uint8_t>& raw, uint64_t total, bool level3, EntryHeader& h, ExtState& ext)
{
    ByteCursor c(raw.data(), raw.size());
    ReadCommon(c, h);
    h.crc = c.U16(21);
    h.osId = c.U8(23);
    h.timeKind = TimeKind::Unix;
    h.headerSize = total;
    size_t sizeBytes = level3 ? 4 : 2;
    uint32_t first = level3 ? c.U32(28) : c.U16(24);
    return ParseExtensions(c, level3 ? kLevel3BaseSize : kLevel2BaseSize, first, sizeBytes, h, ext);
}

// Levels 2 and 3 keep every extended header inside one header of known total size, with an optional CRC.
HeaderStatus ReadLevel23(ByteReader& in, std::vector<uint8_t>& raw, EntryHeader& h)
{
    bool level3 = raw[20] == 3;
    size_t baseSize = level3 ? kLevel3BaseSize : kLevel2BaseSize;
    if (level3) {
        if (raw[0] != 4 || raw[1] != 0)
            return HeaderStatus::Broken;
        if (!ReadHeaderRest(in, raw, kLevel3BaseSize))
            return HeaderStatus::Truncated;
    }
    ByteCursor base(raw.data(), raw.size());
    uint64_t total = level3 ? base.U32(24) : base.U16(0);
    if (total < baseSize || total > kMaxHeaderSize)
        return HeaderStatus::Broken;
    if (!ReadHeaderRest(in, raw, static_cast<size_t>(total)))
        return HeaderStatus::Truncated;
    ExtState ext;
    if (!ParseLevel23(raw, total, level3, h, ext)) {
        // LHA for OS-9/68k writes a level-2 size that leaves out the size field itself: the chain of extended
        // headers then runs two bytes past it.
        if (level3 || raw[23] != kOs968k)
            return HeaderStatus::Broken;
        total += 2;
        ext = ExtState{};
        if (!ReadHeaderRest(in, raw, static_cast<size_t>(total)))
            return HeaderStatus::Truncated;
        if (!ParseLevel23(raw, total, level3, h, ext))
            return HeaderStatus::Broken;
    }
    ByteCursor c(raw.data(), raw.size());
    if (ext.hasCrc) {
        uint16_t stored = c.U16(ext.crcOffset);
        raw[ext.crcOffset] = raw[ext.crcOffset + 1] = 0;
        if (UpdateCrc16(0, raw.data(), raw.size()) != stored)
            return HeaderStatus::Broken;
    }
    FinishPath(h, ext);
    return HeaderStatus::Ok;
}

}

HeaderStatus ReadHeader(ByteReader& in, EntryHeader& header)
{
    header = EntryHeader{};
    std::vector<uint8_t> raw(kBaseSize);
    if (in.Read(raw.data(), 1) == 0 || raw[0] == 0)
        return HeaderStatus::End;
    if (!ReadFully(in, raw.data() + 1, kBaseSize - 1))
        return HeaderStatus::Truncated;
    header.method = ByteCursor(raw.data(), raw.size()).Text(2, 5);
    switch (raw[20]) {
    case 0:
    case 1:
        return ReadLevel01(in, raw, header);
    case 2:
    case 3:
        return ReadLevel23(in, raw, header);
    default:
        return HeaderStatus::Broken;
    }
}

}
