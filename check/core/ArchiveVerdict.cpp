#include "ArchiveVerdict.h"

#include "ArchiveCheck.h"
#include "ArchiveScan.h"
#include "Extraction.h"

namespace {

TextId IdOf(lzh::FailureKind kind)
{
    switch (kind) {
    case lzh::FailureKind::NotAnArchive:
        return TextId::ArchiveNotLzh;
    case lzh::FailureKind::NoMembers:
        return TextId::ArchiveEmpty;
    case lzh::FailureKind::BrokenHeader:
        return TextId::ArchiveBrokenHeader;
    case lzh::FailureKind::UnsupportedMethod:
        return TextId::ArchiveMethod;
    case lzh::FailureKind::UnsafeName:
        return TextId::ArchiveUnsafeName;
    case lzh::FailureKind::Truncated:
        return TextId::ArchiveTruncated;
    case lzh::FailureKind::BrokenData:
        return TextId::ArchiveBrokenData;
    case lzh::FailureKind::CrcError:
        return TextId::ArchiveCrc;
    default:
        return TextId::ArchiveUnreadable;
    }
}

class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& bytes) : m_bytes(bytes) {}
    bool Write(const uint8_t* data, size_t size) override
    {
        m_bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }

private:
    std::string& m_bytes;
};

} // namespace

bool TestMediaArchive(ByteSource& source, Finding& finding)
{
    // Judged by the stricter rule that keeps the stored folders: a name that points outside the destination
    // ("..", a root, a drive) is a mistake on a medium, even where extraction with e drops its folders.
    lzh::Failure failure = lzh::TestArchive(source, lzh::Layout::WithFolders);
    bool outsideOnly = false;
    if (failure.kind == lzh::FailureKind::UnsafeName) {
        lzh::Failure flat = lzh::TestArchive(source, lzh::Layout::Flat);
        outsideOnly = flat.ok();
        failure = flat.failed() ? flat : failure;
    }
    std::vector<lzh::FlatMember> files;
    if (failure.ok() && lzh::ListFlatMembers(source, files).ok() && !files.empty())
        return true;
    if (failure.ok())
        failure.kind = lzh::FailureKind::NoMembers; // folders only: e writes nothing
    finding.id = outsideOnly ? TextId::ArchiveOutsideName : IdOf(failure.kind);
    finding.args.clear();
    if (failure.kind == lzh::FailureKind::NoMembers)
        return false;
    finding.args = {failure.entry};
    if (failure.kind == lzh::FailureKind::UnsupportedMethod)
        finding.args.push_back(failure.detail);
    return false;
}

bool ListMediaArchive(ByteSource& source, std::vector<std::string>& names, Finding& finding)
{
    names.clear();
    // The preview follows the run: only what extraction with e refuses stops it.
    std::vector<lzh::FlatMember> files;
    lzh::Failure failure = lzh::TestArchive(source, lzh::Layout::Flat);
    if (failure.ok())
        failure = lzh::ListFlatMembers(source, files);
    if (failure.failed()) {
        finding.id = IdOf(failure.kind);
        finding.args = {failure.entry, failure.detail};
        return false;
    }
    for (const lzh::FlatMember& file : files)
        names.push_back(file.name);
    return true;
}

bool ReadArchiveMember(ByteSource& source, const std::string& name, std::string& bytes)
{
    std::vector<lzh::ScannedEntry> entries;
    if (lzh::ScanArchive(source, lzh::Layout::Flat, entries).failed())
        return false;
    const lzh::ScannedEntry* last = nullptr;
    for (const lzh::ScannedEntry& entry : entries) {
        if (!entry.isFolder && !entry.parts.empty() && entry.parts.back() == name)
            last = &entry;
    }
    bytes.clear();
    StringSink sink(bytes);
    return last && lzh::DecodeEntry(source, *last, sink).ok();
}
