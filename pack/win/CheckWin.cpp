// The built medium checked by parvel-check's own code, its findings in CP932 (the ANSI code page of a Japanese
// system).

#include "CheckCommand.h"
#include "ChecksumCheck.h"
#include "CodePage.h"
#include "MediaCheck.h"
#include "WinMedia.h"

#include <ostream>

bool CheckBuiltMedium(const std::vector<std::string>& disks, std::ostream& out)
{
    CWinMedia media(disks);
    MediumReport report = CheckMedium(media);
    CheckChecksumLists(media, report);
    for (const Finding& finding : report.findings)
        out << "  " << media.PathOf(finding.disk, finding.file) << FindingTail(finding) << '\n';
    for (const std::string& line : SummaryLines(report))
        out << "  " << line << '\n';
    return !report.HasErrors();
}
