// The built medium checked by parvel-check's own code, its findings in UTF-8.

#include "CheckCommand.h"
#include "ChecksumCheck.h"
#include "MediaCheck.h"
#include "PosixMedia.h"
#include "Utf8.h"

#include <ostream>

bool CheckBuiltMedium(const std::vector<std::string>& disks, std::ostream& out)
{
    PosixMedia media(disks);
    MediumReport report = CheckMedium(media);
    CheckChecksumLists(media, report);
    for (const Finding& finding : report.findings)
        out << "  " << media.DisplayPath(finding.disk, finding.file) << Cp932ToUtf8(FindingTail(finding)) << '\n';
    for (const std::string& line : SummaryLines(report))
        out << "  " << Cp932ToUtf8(line) << '\n';
    return !report.HasErrors();
}
