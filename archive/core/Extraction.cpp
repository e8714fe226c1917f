#include "Extraction.h"

#include "CheckedSink.h"
#include "Decoder.h"
#include "SafeName.h"

namespace lzh {
namespace {

FailureKind KindOf(DecodeStatus status)
{
    switch (status) {
    case DecodeStatus::Ok:
        return FailureKind::None;
    case DecodeStatus::Truncated:
        return FailureKind::Truncated;
    case DecodeStatus::WriteFailed:
        return FailureKind::CannotWrite;
    case DecodeStatus::Corrupt:
        break;
    }
    return FailureKind::BrokenData;
}

uint64_t TotalSize(const std::vector<ScannedEntry>& entries)
{
    uint64_t total = 0;
    for (const ScannedEntry& e : entries)
        total += e.isFolder ? 0 : e.header.originalSize;
    return total;
}

// Flat extraction keeps only the last component; folders then have nothing to create.
Failure ExtractOne(ArchiveSource& source, const ScannedEntry& entry, Mode mode, Target& target,
                   Progress* progress, uint64_t done)
{
    std::string display = DisplayPath(entry.header.path);
    std::vector<std::string> parts = entry.parts;
    if (mode == Mode::Flat)
        parts.erase(parts.begin(), parts.end() - 1);
    if (entry.isFolder)
        return mode == Mode::Flat || target.MakeFolder(parts) ? Failure{}
                                                              : Failure{FailureKind::CannotWrite, display, {}};
    if (parts.size() > 1 && !target.MakeFolder({parts.begin(), parts.end() - 1}))
        return {FailureKind::CannotWrite, display, {}};
    std::unique_ptr<OutputFile> file = target.CreateOutput(parts, entry.header);
    if (!file)
        return {FailureKind::CannotWrite, display, {}};
    if (Failure failure = DecodeEntry(source, entry, *file, progress, done))
        return failure;
    if (!file->Commit())
        return {FailureKind::CannotWrite, display, {}};
    return {};
}

}

Failure DecodeEntry(ArchiveSource& source, const ScannedEntry& entry, Sink& sink, Progress* progress,
                    uint64_t progressBase)
{
    const EntryHeader& h = entry.header;
    std::string display = DisplayPath(h.path);
    std::unique_ptr<Decoder> decoder = MakeDecoder(h.method);
    if (!decoder)
        return {FailureKind::UnsupportedMethod, display, DisplayPath(h.method)};
    if (!source.Seek(entry.dataOffset))
        return {FailureKind::CannotRead, display, {}};
    LimitedReader data(source, h.packedSize);
    CheckedSink checked(&sink, progress, progressBase);
    DecodeStatus status = decoder->Decode(data, checked, h.originalSize);
    if (status != DecodeStatus::Ok)
        return {KindOf(status), display, {}};
    if (checked.Count() != h.originalSize)
        return {FailureKind::BrokenData, display, {}};
    if (checked.Crc() != h.crc)
        return {FailureKind::CrcError, display, {}};
    return {};
}

Failure ExtractArchive(ArchiveSource& source, Mode mode, Target* target, Progress* progress)
{
    std::vector<ScannedEntry> entries;
    if (Failure failure = ScanArchive(source, entries))
        return failure;
    if (progress)
        progress->OnStart(TotalSize(entries));
    uint64_t done = 0;
    for (const ScannedEntry& entry : entries) {
        if (progress)
            progress->OnEntry(DisplayPath(entry.header.path));
        Failure failure;
        if (mode == Mode::TestOnly) {
            CheckedSink discard(nullptr, nullptr, 0);
            failure = entry.isFolder ? Failure{} : DecodeEntry(source, entry, discard, progress, done);
        } else {
            failure = ExtractOne(source, entry, mode, *target, progress, done);
        }
        if (failure)
            return failure;
        done += entry.isFolder ? 0 : entry.header.originalSize;
        if (progress)
            progress->OnBytes(done);
    }
    return {};
}

}
