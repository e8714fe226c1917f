#include "Extraction.h"

#include "CheckedSink.h"
#include "MethodTable.h"
#include "MacBinary.h"

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

Failure ExtractOne(ByteSource& source, const ScannedEntry& entry, Target& target, Progress* progress,
                   uint64_t done)
{
    std::string display = DisplayPath(entry.header.path);
    const std::vector<std::string>& parts = entry.parts;
    if (entry.isFolder)
        return parts.empty() || target.MakeFolder(parts) ? Failure{} : Failure{FailureKind::CannotWrite, display, {}};
    if (parts.size() > 1 && !target.MakeFolder({parts.begin(), parts.end() - 1}))
        return {FailureKind::CannotWrite, display, {}};
    std::unique_ptr<OutputFile> file = target.CreateOutput(parts, entry.header);
    if (!file)
        return {FailureKind::CannotWrite, display, {}};
    MacBinarySink unwrapped(*file, entry.header, parts.back());
    ByteSink& sink = MayHoldMacBinary(entry.header) ? static_cast<ByteSink&>(unwrapped) : *file;
    if (Failure failure = DecodeEntry(source, entry, sink, progress, done); failure.failed())
        return failure;
    if (!file->Commit())
        return {FailureKind::CannotWrite, display, {}};
    return {};
}

}

Failure DecodeEntry(ByteSource& source, const ScannedEntry& entry, ByteSink& sink, Progress* progress,
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

Failure ExtractArchive(ByteSource& source, Layout layout, Target& target, Progress* progress)
{
    std::vector<ScannedEntry> entries;
    if (Failure failure = ScanArchive(source, layout, entries); failure.failed())
        return failure;
    if (progress)
        progress->OnStart(TotalSize(entries));
    uint64_t done = 0;
    for (const ScannedEntry& entry : entries) {
        if (progress)
            progress->OnEntry(DisplayPath(entry.header.path));
        if (Failure failure = ExtractOne(source, entry, target, progress, done); failure.failed())
            return failure;
        done += entry.isFolder ? 0 : entry.header.originalSize;
        if (progress)
            progress->OnBytes(done);
    }
    return {};
}

}
