#include "ArchiveScan.h"

#include "Decoder.h"
#include "HeaderReader.h"
#include "SafeName.h"

namespace lzh {
namespace {

bool LooksLikeMethod(const std::string& method)
{
    return method.size() == 5 && method[0] == '-' && method[4] == '-';
}

Failure CheckEntry(const ScannedEntry& entry)
{
    const EntryHeader& h = entry.header;
    std::string display = DisplayPath(h.path);
    if (!entry.isFolder && !MakeDecoder(h.method))
        return {FailureKind::UnsupportedMethod, display, DisplayPath(h.method)};
    if (h.IsSymbolicLink() || entry.parts.empty())
        return {FailureKind::UnsafeName, display, {}};
    return {};
}

}

Failure ScanArchive(ArchiveSource& source, std::vector<ScannedEntry>& entries)
{
    entries.clear();
    uint64_t offset = 0;
    const uint64_t size = source.Size();
    if (size == 0)
        return {FailureKind::NotAnArchive, {}, {}};
    for (;;) {
        if (!source.Seek(offset))
            return {FailureKind::CannotRead, {}, {}};
        ScannedEntry entry;
        HeaderStatus status = ReadHeader(source, entry.header);
        if (status == HeaderStatus::End)
            return {};
        bool first = entries.empty();
        if (first && (status != HeaderStatus::Ok || !LooksLikeMethod(entry.header.method)))
            return {status == HeaderStatus::Truncated && LooksLikeMethod(entry.header.method)
                        ? FailureKind::Truncated
                        : FailureKind::NotAnArchive,
                    {}, {}};
        if (status == HeaderStatus::Truncated)
            return {FailureKind::Truncated, {}, {}};
        if (status != HeaderStatus::Ok)
            return {FailureKind::BrokenHeader, {}, {}};
        entry.dataOffset = offset + entry.header.headerSize;
        std::string display = DisplayPath(entry.header.path);
        if (entry.dataOffset > size || entry.header.packedSize > size - entry.dataOffset)
            return {FailureKind::Truncated, display, {}};
        entry.isFolder = IsFolderMethod(entry.header.method);
        if (!SplitStoredPath(entry.header.path, entry.parts))
            entry.parts.clear();
        if (Failure failure = CheckEntry(entry))
            return failure;
        offset = entry.dataOffset + entry.header.packedSize;
        entries.push_back(std::move(entry));
    }
}

}
