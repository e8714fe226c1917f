#include "ChecksumCheck.h"

#include "MediumChecksums.h"
#include "Sha256.h"

#include <set>

namespace {

constexpr const char kInfoName[] = "info.txt";

// The names on each disk that the update reads, and Parvel.exe.
std::vector<std::set<std::string>> NamesRead(const MediumReport& report, size_t diskCount)
{
    std::vector<std::set<std::string>> names(diskCount);
    names[0] = {kInfoName, "Parvel.exe"};
    const UpdateDescription& d = report.description;
    for (const std::string* picture : {&d.mainPicture, &d.noticePicture, &d.folderPicture, &d.confirmPicture})
        if (!picture->empty())
            names[0].insert(*picture);
    for (const UpdateEntry& entry : d.entries) {
        size_t disk = diskCount > 1 && entry.disk >= 1 ? static_cast<size_t>(entry.disk) - 1 : 0;
        if (disk >= diskCount)
            continue;
        if (entry.IsArchive() && entry.name == "START") {
            for (const MediumEdition& edition : report.editions)
                names[disk].insert("START" + std::to_string(edition.edition.Number()) + ".lzh");
            if (disk > 0)
                names[disk].insert("START.lzh");
        } else {
            names[disk].insert(entry.IsArchive() ? entry.name + ".lzh" : entry.name);
        }
    }
    return names;
}

bool DigestOf(ByteSource& file, Sha256Digest& digest)
{
    Sha256 sha;
    uint8_t buffer[65536];
    size_t n;
    while ((n = file.Read(buffer, sizeof buffer)) > 0)
        if (!sha.Update(buffer, n))
            return false;
    return !file.Failed() && sha.Finish(digest);
}

} // namespace

void CheckChecksumLists(MediaFiles& media, MediumReport& report,
                        const std::function<std::string(const std::string&)>& toUtf8)
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
            ChecksumVerdict verdict = checksums.Find(toUtf8(name)) && DigestOf(*file, digest)
                                          ? checksums.Check(toUtf8(name), digest)
                                          : ChecksumVerdict::NotListed;
            if (verdict == ChecksumVerdict::DoesNotMatch)
                add(Severity::Error, TextId::ChecksumMismatch, name);
            else if (verdict == ChecksumVerdict::NotListed)
                add(Severity::Error, TextId::ChecksumNotListed, name);
        }
    }
}
