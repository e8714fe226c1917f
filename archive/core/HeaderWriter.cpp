#include "HeaderWriter.h"

#include "Crc16.h"

#include <ctime>

namespace lzh {
namespace {

constexpr uint8_t kOsMsDos = 'M';
constexpr uint8_t kExtHeaderCrc = 0x00;
constexpr uint8_t kExtName = 0x01;
constexpr uint8_t kExtFolder = 0x02;
constexpr uint8_t kExtAttributes = 0x40;
// A level-1 base header counts its size in one byte.
constexpr size_t kLevel1BaseSize = 27;
constexpr size_t kMaxLevel1Name = 255 + 2 - kLevel1BaseSize;

void Put16(std::vector<uint8_t>& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Set16(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// The stored folder part (separators 0xFF, ending in one) and the name.
void SplitPath(const MemberHeader& m, std::string& folder, std::string& name)
{
    std::string path = m.path;
    if (m.isFolder) {
        folder = path + "/";
        name.clear();
    } else {
        size_t slash = path.rfind('/');
        folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        name = slash == std::string::npos ? path : path.substr(slash + 1);
    }
    // '/' is never a CP932 trail byte, so a byte-wise replace is safe.
    for (char& c : folder)
        if (c == '/')
            c = static_cast<char>(0xFF);
}

// One extended header: type, data, then the size of the next one (patched by the caller).
void PutExtension(std::vector<uint8_t>& b, uint8_t type, const std::string& data)
{
    b.push_back(type);
    b.insert(b.end(), data.begin(), data.end());
    Put16(b, 0);
}

// The common fields from offset 2: method, packed and original size, time.
void PutCommon(std::vector<uint8_t>& b, const MemberHeader& m, uint64_t packed, uint32_t time)
{
    b.insert(b.end(), m.method.begin(), m.method.end());
    Put32(b, static_cast<uint32_t>(packed));
    Put32(b, static_cast<uint32_t>(m.originalSize));
    Put32(b, time);
}

std::vector<uint8_t> BuildLevel1(const MemberHeader& m)
{
    std::string folder, name;
    SplitPath(m, folder, name);
    // Readers take a 0x5C byte in a level-1 base name for a separator (lhasa does), though in CP932 it may be
    // a trail byte (表 is 0x95 0x5C): such a name, and one too long for the base header, goes into an
    // extended header, which is read as it is.
    bool nameInBase = name.size() <= kMaxLevel1Name && name.find('\\') == std::string::npos;
    std::vector<std::pair<uint8_t, std::string>> exts;
    if (!nameInBase)
        exts.push_back({kExtName, name});
    if (!folder.empty())
        exts.push_back({kExtFolder, folder});
    size_t extTotal = 0;
    for (const auto& e : exts)
        extTotal += e.second.size() + 3;
    std::string baseName = nameInBase ? name : std::string();

    std::vector<uint8_t> b{0, 0};
    exts.push_back({kExtAttributes, std::string{static_cast<char>(m.attributes), '\0'}});
    extTotal += 5;
    PutCommon(b, m, m.packedSize + extTotal, m.dosTime);
    // As in level 2, byte 19 holds 0x20 (bsdtar does not take a level-1 archive for one otherwise); the
    // attributes go into their extended header.
    b.push_back(0x20);
    b.push_back(1);
    b.push_back(static_cast<uint8_t>(baseName.size()));
    b.insert(b.end(), baseName.begin(), baseName.end());
    Put16(b, m.crc);
    b.push_back(kOsMsDos);
    Put16(b, 0);
    size_t baseSize = b.size();
    b[0] = static_cast<uint8_t>(baseSize - 2);
    uint8_t sum = 0;
    for (size_t i = 2; i < baseSize; ++i)
        sum = static_cast<uint8_t>(sum + b[i]);
    b[1] = sum;
    size_t sizeAt = baseSize - 2;
    for (const auto& e : exts) {
        Set16(b, sizeAt, static_cast<uint32_t>(e.second.size() + 3));
        PutExtension(b, e.first, e.second);
        sizeAt = b.size() - 2;
    }
    // The check sum covers the base header only, which holds the first extension's size: sum again.
    sum = 0;
    for (size_t i = 2; i < baseSize; ++i)
        sum = static_cast<uint8_t>(sum + b[i]);
    b[1] = sum;
    return b;
}

std::vector<uint8_t> BuildLevel2(const MemberHeader& m)
{
    std::string folder, name;
    SplitPath(m, folder, name);
    std::vector<uint8_t> b{0, 0};
    PutCommon(b, m, m.packedSize, static_cast<uint32_t>(m.unixTime));
    b.push_back(0x20);
    b.push_back(2);
    Put16(b, m.crc);
    b.push_back(kOsMsDos);
    Put16(b, 0);
    size_t sizeAt = b.size() - 2;
    size_t crcAt = 0;
    auto add = [&](uint8_t type, const std::string& data) {
        Set16(b, sizeAt, static_cast<uint32_t>(data.size() + 3));
        PutExtension(b, type, data);
        sizeAt = b.size() - 2;
    };
    add(kExtHeaderCrc, std::string(2, '\0'));
    crcAt = b.size() - 4;
    add(kExtName, name);
    if (!folder.empty())
        add(kExtFolder, folder);
    add(kExtAttributes, std::string{static_cast<char>(m.attributes), '\0'});
    // A header whose size ends in a zero byte would read as the end of the archive: LHA pads it by one.
    if ((b.size() & 0xFF) == 0)
        b.push_back(0);
    Set16(b, 0, static_cast<uint32_t>(b.size()));
    Set16(b, crcAt, UpdateCrc16(0, b.data(), b.size()));
    return b;
}

}

HeaderProblem CheckMemberHeader(const MemberHeader& m, int level)
{
    if (m.path.empty() || m.path.back() == '/')
        return HeaderProblem::EmptyName;
    if (m.originalSize > 0xFFFFFFFFu)
        return HeaderProblem::TooLarge;
    // The extended headers count their size in 16 bits, and a level-2 header its whole size.
    size_t limit = level == 2 ? 0xFFFF - 64 : 0xFFFF - 3;
    if (m.path.size() + 1 > limit)
        return HeaderProblem::NameTooLong;
    return HeaderProblem::None;
}

std::vector<uint8_t> BuildHeader(const MemberHeader& member, int level)
{
    return level == 1 ? BuildLevel1(member) : BuildLevel2(member);
}

uint32_t DosTimeOf(int64_t unixTime)
{
    time_t t = static_cast<time_t>(unixTime);
    struct tm local {};
#ifdef _WIN32
    if (localtime_s(&local, &t) != 0)
        return 1u << 21 | 1u << 16;
#else
    if (!localtime_r(&t, &local))
        return 1u << 21 | 1u << 16;
#endif
    if (local.tm_year < 80)
        return 1u << 21 | 1u << 16;
    return uint32_t(local.tm_year - 80) << 25 | uint32_t(local.tm_mon + 1) << 21 | uint32_t(local.tm_mday) << 16 |
           uint32_t(local.tm_hour) << 11 | uint32_t(local.tm_min) << 5 | uint32_t(local.tm_sec / 2);
}

}
