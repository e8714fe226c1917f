#pragma once
// Reads one entry header (levels 0 to 3, with extended headers) from the current position of a reader.

#include "EntryHeader.h"
#include "Reader.h"

namespace lzh {

enum class HeaderStatus {
    Ok,
    End,       // the end-of-archive mark, or the end of the file
    Broken,    // sizes, level or check sum/CRC do not fit
    Truncated, // the file ends inside the header
};

// Bigger headers are refused: LHA writers stay far below this.
constexpr uint32_t kMaxHeaderSize = 1 << 20;

HeaderStatus ReadHeader(ByteReader& in, EntryHeader& header);

}
