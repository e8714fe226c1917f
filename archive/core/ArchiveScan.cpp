#include "ArchiveScan.h"

#include "MethodTable.h"
#include "HeaderReader.h"

namespace lzh {
namespace {

bool LooksLikeMethod(const std::string& method)
{
    return method.size() == 5 && method[0] == '-' && method[4] == '-';
}

// A folder has nothing to create under Flat, so its name does not matter there.
Failure CheckEntry(ScannedEntry& entry, Layout layout)
{
    const EntryHeader& h = entry.header;
    std::string display = DisplayPath(h.path);
    if (!entry.isFolder && !MakeDecoder(h.method))
        return {FailureKind::UnsupportedMethod, display, DisplayPath(h.method)};
    if (h.IsSymbolicLink())
        return {FailureKind::UnsafeName, display, {}};
    if (entry.isFolder && layout == Layout::Flat)
        return {};
    if (!SplitStoredPath(h.path, layout, entry.parts))
        return {FailureKind::UnsafeName, display, {}};
    return {};
}

}

Failure ScanArchive(ByteSource& source, Layout layout, std::vector<ScannedEntry>& entries)
{
    entries.clear();
    uint64_t offset = 0;
    const uint64_t size = source.Size();
    for (;;) {
        if (!source.Seek(offset))
            return {FailureKind::CannotRead, {}, {}};
        ScannedEntry entry;
        HeaderStatus status = ReadHeader(source, entry.header);
        bool first = entries.empty();
        if (status == HeaderStatus::End)
            return first ? Failure{FailureKind::NoMembers, {}, {}} : Failure{};
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
        if (entry.dataOffset > size || entry.header.packedSize > size - entry.dataOffset)
            return {FailureKind::Truncated, DisplayPath(entry.header.path), {}};
        entry.isFolder = IsFolderMethod(entry.header.method);
        if (Failure failure = CheckEntry(entry, layout); failure.failed())
            return failure;
        offset = entry.dataOffset + entry.header.packedSize;
        entries.push_back(std::move(entry));
    }
}

uint64_t TotalSize(const std::vector<ScannedEntry>& entries)
{
    uint64_t total = 0;
    for (const ScannedEntry& e : entries)
        total += e.isFolder ? 0 : e.header.originalSize;
    return total;
}

std::string ListingText(const std::vector<ScannedEntry>& entries)
{
    std::string text;
    for (const ScannedEntry& e : entries)
        text += e.header.method + ' ' + std::to_string(e.header.packedSize) + ' ' +
                std::to_string(e.header.originalSize) + ' ' + DisplayPath(e.header.path) + '\n';
    return text;
}

}
