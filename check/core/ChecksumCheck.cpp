#include "ChecksumCheck.h"

#include "MediumChecksums.h"
#include "Sha256.h"

#include <set>

namespace {

// The names on each disk that the update reads, and Parvel.exe.
std::vector<std::set<std::string>> NamesRead(const MediumReport& report, size_t diskCount)
{
    std::vector<std::set<std::string>> names(diskCount);
    names[0] = {info::kDescriptionFile, info::kProgramFile};
    const UpdateDescription& d = report.description;
    for (const std::string* picture : {&d.mainPicture, &d.noticePicture, &d.folderPicture, &d.confirmPicture})
        if (!picture->empty())
            names[0].insert(*picture);
    for (const UpdateEntry& entry : d.entries) {
        size_t disk = diskCount > 1 && entry.disk >= 1 ? static_cast<size_t>(entry.disk) - 1 : 0;
        if (disk >= diskCount)
            continue;
        if (entry.IsArchive() && entry.name == info::kStartArchive) {
            for (const MediumEdition& edition : report.editions)
                names[disk].insert(info::kStartArchive + std::to_string(edition.edition.Number()) +
                                   info::kArchiveExtension);
            if (disk > 0)
                names[disk].insert(std::string(info::kStartArchive) + info::kArchiveExtension);
        } else {
            names[disk].insert(entry.IsArchive() ? entry.name + info::kArchiveExtension : entry.name);
        }
    }
    return names;
}

} // namespace

void CheckChecksumLists(MediaFiles& media, MediumReport& report)
{
    if (!report.infoRead)
        return;
    std::vector<std::set<std::string>> names = NamesRead(report, media.DiskCount());
    for (size_t disk = 0; disk < names.size(); ++disk) {
        std::unique_ptr<ByteSource> list = media.Open(disk, kChecksumListName);
        auto add = [&](Severity severity, TextId id, const std::string& file, std::vector<std::string> args = {}) {
            report.findings.push_back({severity, id, disk, file, 0, std::move(args)});
        };
        if (!list) {
            add(Severity::Warning, TextId::ChecksumListMissing, kChecksumListName);
            continue;
        }
        MediumChecksums checksums;
        if (!checksums.Load(ReadRest(*list)))
            add(Severity::Error, TextId::ChecksumListMalformed, kChecksumListName);
        for (const std::string& name : names[disk]) {
            std::unique_ptr<ByteSource> file = media.Open(disk, name);
            if (!file)
                continue; // missing files have findings of their own
            Sha256Digest digest{};
            std::string listed = media.ListedName(name);
            ChecksumVerdict verdict = checksums.Find(listed) && Sha256Of(*file, digest)
                                          ? checksums.Check(listed, digest)
                                          : ChecksumVerdict::NotListed;
            if (verdict == ChecksumVerdict::DoesNotMatch)
                add(Severity::Error, TextId::ChecksumMismatch, name);
            else if (verdict == ChecksumVerdict::NotListed)
                add(Severity::Error, TextId::ChecksumNotListed, name);
        }
    }
}
