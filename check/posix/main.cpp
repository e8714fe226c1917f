// parvel-check on Linux: the texts go out as UTF-8.
#include "CheckCommand.h"
#include "MediaCheck.h"
#include "PosixInstallation.h"
#include "PosixMedia.h"
#include "Preview.h"
#include "Utf8.h"

#include <cstdio>

namespace {

void Print(const std::string& utf8) { std::printf("%s\n", utf8.c_str()); }

// The Windows folder the copy stands for: the default folder of info.txt, so that the paths the
// installation's own settings hold (its master folders) fall into the copy too.
std::string WindowsFolderOf(const UpdateDescription& description)
{
    const std::string& folder = description.installFolder;
    bool drivePath = folder.size() >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
    return drivePath ? folder : "C:\\PARVEL";
}

void Preview(const MediumReport& report, PosixMedia& media, const std::string& folder)
{
    std::string windowsFolder = WindowsFolderOf(report.description);
    PosixInstallation installation(windowsFolder, folder);
    Print(Cp932ToUtf8(FormatText(TextId::PreviewHeading, {windowsFolder})) + " (" + folder + ")");
    for (const std::string& line : RunPreview(report.description, windowsFolder, media, installation).Lines())
        Print(Cp932ToUtf8(line));
}

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
    if (report.infoRead && !arguments.installFolder.empty())
        Preview(report, media, arguments.installFolder);
    return report.HasErrors() ? 1 : 0;
}
