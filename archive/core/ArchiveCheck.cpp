#include "ArchiveCheck.h"

#include "ArchiveScan.h"
#include "Extraction.h"
#include "MacBinary.h"

#include <algorithm>
#include <cstring>

namespace lzh {
namespace {

class DiscardSink : public ByteSink {
public:
    bool Write(const uint8_t*, size_t) override { return true; }
};

// Keeps the first 128 bytes, then stops the decoder.
class HeaderSink : public ByteSink {
public:
    bool Write(const uint8_t* data, size_t size) override
    {
        size_t take = std::min(size, kMacBinaryHeaderSize - m_held);
        std::memcpy(m_bytes + m_held, data, take);
        m_held += take;
        return m_held < kMacBinaryHeaderSize;
    }
    bool Full() const { return m_held == kMacBinaryHeaderSize; }
    const uint8_t* Bytes() const { return m_bytes; }

private:
    uint8_t m_bytes[kMacBinaryHeaderSize] = {};
    size_t m_held = 0;
};

uint64_t WrittenSize(ByteSource& source, const ScannedEntry& entry)
{
    uint64_t fork = 0;
    if (!MayHoldMacBinary(entry.header))
        return entry.header.originalSize;
    HeaderSink first;
    DecodeEntry(source, entry, first);
    if (first.Full() && MacBinaryForkLength(first.Bytes(), entry.header, entry.parts.back(), fork))
        return fork;
    return entry.header.originalSize;
}

}

Failure TestArchive(ByteSource& source, Layout layout, Progress* progress)
{
    std::vector<ScannedEntry> entries;
    if (Failure failure = ScanArchive(source, layout, entries); failure.failed())
        return failure;
    uint64_t done = 0;
    if (progress)
        progress->OnStart(TotalSize(entries));
    for (const ScannedEntry& entry : entries) {
        if (entry.isFolder)
            continue;
        if (progress)
            progress->OnEntry(DisplayPath(entry.header.path));
        DiscardSink discard;
        if (Failure failure = DecodeEntry(source, entry, discard, progress, done); failure.failed())
            return failure;
        done += entry.header.originalSize;
    }
    return {};
}

Failure ListFlatMembers(ByteSource& source, std::vector<FlatMember>& members)
{
    members.clear();
    std::vector<ScannedEntry> entries;
    if (Failure failure = ScanArchive(source, Layout::Flat, entries); failure.failed())
        return failure;
    for (const ScannedEntry& entry : entries)
        if (!entry.isFolder)
            members.push_back({entry.parts.back(), WrittenSize(source, entry)});
    return {};
}

}
