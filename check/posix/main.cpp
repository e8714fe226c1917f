// parvel-check on Linux: the texts go out as UTF-8.
#include "CheckCommand.h"
#include "MediaCheck.h"
#include "PosixMedia.h"
#include "Utf8.h"

#include <cstdio>

namespace {

void Print(const std::string& utf8) { std::printf("%s\n", utf8.c_str()); }

} // namespace

int main(int argc, char** argv)
{
    CheckArguments arguments;
    if (!ParseCheckArguments(std::vector<std::string>(argv + 1, argv + argc), arguments)) {
        std::fputs(Cp932ToUtf8(UsageText()).c_str(), stderr);
        return 2;
    }
    PosixMedia media(arguments.disks);
    MediumReport report = CheckMedium(media);
    for (const Finding& finding : report.findings)
        Print(media.DisplayPath(finding.disk, finding.file) + Cp932ToUtf8(FindingTail(finding)));
    for (const std::string& line : SummaryLines(report))
        Print(Cp932ToUtf8(line));
    return report.HasErrors() ? 1 : 0;
}
