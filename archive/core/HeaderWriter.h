#pragma once
// Builds the header of one member, level 1 or level 2, as LHA writes them (HeaderReader.cpp reads both).

#include <cstdint>
#include <string>
#include <vector>

namespace lzh {

struct MemberHeader {
    std::string method = "-lh5-";
    uint64_t packedSize = 0; // data only; a level-1 header adds its extended headers itself
    uint64_t originalSize = 0;
    uint16_t crc = 0;
    std::string path;       // CP932, parts separated by '/'; a folder's path names the folder
    bool isFolder = false;
    uint8_t attributes = 0x20; // DOS attributes
    int64_t unixTime = 0;
    uint32_t dosTime = 0;      // the same moment as a local DOS date-time
};

// Why a member's header cannot be written.
enum class HeaderProblem { None, EmptyName, NameTooLong, TooLarge };

HeaderProblem CheckMemberHeader(const MemberHeader& member, int level);

// The header bytes; the member must have passed CheckMemberHeader. Their count depends only on the path,
// the level and the kind, so a header rewritten with the final sizes and CRC takes the same place.
std::vector<uint8_t> BuildHeader(const MemberHeader& member, int level);

// Local date-time of a Unix time in the DOS layout (year since 1980 in 7 bits, month, day, hour, minute,
// seconds / 2); times before 1980 give 1980-01-01.
uint32_t DosTimeOf(int64_t unixTime);

}
