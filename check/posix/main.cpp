// parvel-check on Linux: the texts go out as UTF-8.
#include "CheckCommand.h"
#include "ChecksumCheck.h"
#include "MediaCheck.h"
#include "PosixInstallation.h"
#include "PosixMedia.h"
#include "Preview.h"
#include "Signature.h"
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

// Whether the preview saw everything the run asked about. asWindows: --as, in UTF-8, or empty.
bool Preview(const MediumReport& report, PosixMedia& media, const std::string& folder, const std::string& asWindows)
{
    std::string windowsFolder = asWindows.empty() ? WindowsFolderOf(report.description) : Utf8ToCp932(asWindows);
    PosixInstallation installation(windowsFolder, folder);
    Print(Cp932ToUtf8(FormatText(TextId::PreviewHeading, {windowsFolder})) + " (" + folder + ")");
    PreviewLog log = RunPreview(report.description, windowsFolder, media, installation);
    for (const std::string& line : log.Lines())
        Print(Cp932ToUtf8(line));
    return log.complete;
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
    CheckChecksumLists(media, report);
    SignatureVerdict signature;
    if (media.Exists(0, info::kProgramFile))
        signature = VerifyFileSignature(media.DisplayPath(0, info::kProgramFile));
    AddSignatureFindings(signature, report);
    for (const Finding& finding : report.findings)
        Print(media.DisplayPath(finding.disk, finding.file) + Cp932ToUtf8(FindingTail(finding)));
    for (const std::string& line : SummaryLines(report))
        Print(Cp932ToUtf8(line));
    if (!SignatureLine(signature).empty())
        Print(Cp932ToUtf8(SignatureLine(signature)));
    bool complete = true;
    if (report.infoRead && !arguments.installFolder.empty())
        complete = Preview(report, media, arguments.installFolder, arguments.windowsFolder);
    return CheckStatus(report.HasErrors(), complete);
}
