#pragma once
// One archive entry as its header describes it, whatever the header level.

#include <cstdint>
#include <string>

namespace lzh {

enum class TimeKind { None, Dos, Unix, FileTime };

struct EntryHeader {
    int level = 0;
    std::string method;      // five characters, such as "-lh5-"
    uint64_t packedSize = 0; // bytes of data after the header
    uint64_t originalSize = 0;
    uint16_t crc = 0;      // CRC-16 of the original data
    std::string path;      // stored path, CP932; separators '\\', '/' or 0xFF as stored
    uint8_t attributes = 0; // DOS attributes
    TimeKind timeKind = TimeKind::None;
    uint64_t time = 0;     // DOS date-time, Unix seconds or FILETIME, as timeKind says
    uint16_t unixMode = 0; // 0 when absent
    uint8_t osId = 0;      // the maker's system: 'M' MS-DOS, 'm' Mac OS, 'K' OS-9/68k...; 0 for level 0
    uint64_t headerSize = 0; // every header byte, extended headers included

    bool IsSymbolicLink() const { return (unixMode & 0xF000) == 0xA000; }
};

}
