// parvel-check on Windows: arguments and paths in the ANSI code page, the texts in CP932, all written in
// the console's code page (or as UTF-16 straight to a console window).
#include "CheckCommand.h"
#include "ChecksumCheck.h"
#include "CodePage.h"
#include "FileIo.h"
#include "MediaCheck.h"
#include "Preview.h"
#include "Signature.h"
#include "WinInstallation.h"
#include "WinMedia.h"

#include <windows.h>

#include <cstdio>

namespace {

void Print(const std::wstring& line, DWORD stream)
{
    HANDLE handle = GetStdHandle(stream);
    std::wstring text = line + L"\r\n";
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    UINT codePage = GetConsoleOutputCP();
    codePage = codePage != 0 ? codePage : GetACP();
    std::string bytes = FromWide(text, codePage);
    WriteAll(handle, bytes.data(), bytes.size());
}

void PrintText(const std::string& cp932, DWORD stream = STD_OUTPUT_HANDLE) { Print(ToWide(cp932, 932), stream); }

} // namespace

int main(int argc, char** argv)
{
    CheckArguments arguments;
    // --as maps a copy on Linux; here the installation is read where it is.
    if (!ParseCheckArguments(std::vector<std::string>(argv + 1, argv + argc), arguments) ||
        !arguments.windowsFolder.empty()) {
        PrintText(UsageText(), STD_ERROR_HANDLE);
        return 2;
    }
    CWinMedia media(arguments.disks);
    MediumReport report = CheckMedium(media);
    CheckChecksumLists(media, report);
    SignatureVerdict signature;
    if (media.Exists(0, info::kProgramFile))
        signature = VerifyFileSignature(media.PathOf(0, info::kProgramFile));
    AddSignatureFindings(signature, report);
    for (const Finding& finding : report.findings)
        Print(ToWide(media.PathOf(finding.disk, finding.file), CP_ACP) + ToWide(FindingTail(finding), 932),
              STD_OUTPUT_HANDLE);
    for (const std::string& line : SummaryLines(report))
        PrintText(line);
    if (!SignatureLine(signature).empty())
        PrintText(SignatureLine(signature));
    bool complete = true;
    if (report.infoRead && !arguments.installFolder.empty()) {
        CWinInstallation installation;
        PrintText(FormatText(TextId::PreviewHeading, {arguments.installFolder}));
        PreviewLog log = RunPreview(report.description, arguments.installFolder, media, installation);
        for (const std::string& line : log.Lines())
            PrintText(line);
        complete = log.complete;
    }
    return CheckStatus(report.HasErrors(), complete);
}
