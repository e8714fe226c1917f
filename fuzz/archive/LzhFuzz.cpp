// libFuzzer target over the header parser, the name rules, the decoders and the MacBinary check: the input is an
// archive, scanned both ways and decoded in memory. Output is capped so that a tiny input announcing gigabytes
// stays fast.

#include "ArchiveScan.h"
#include "ArchiveCheck.h"
#include "Extraction.h"
#include "MacBinary.h"

#include <cstddef>
#include <cstdint>

namespace {

class CappedSink : public ByteSink {
public:
    bool Write(const uint8_t*, size_t size) override
    {
        m_total += size;
        return m_total <= (8u << 20);
    }

private:
    size_t m_total = 0;
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemorySource source(data, size);
    std::vector<lzh::FlatMember> members;
    lzh::ListFlatMembers(source, members);
    std::vector<lzh::ScannedEntry> entries;
    lzh::ScanArchive(source, lzh::Layout::WithFolders, entries);
    for (const lzh::ScannedEntry& entry : entries) {
        if (entry.isFolder)
            continue;
        CappedSink sink;
        lzh::MacBinarySink unwrapped(sink, entry.header, entry.parts.back());
        lzh::DecodeEntry(source, entry, unwrapped);
    }
    return 0;
}
