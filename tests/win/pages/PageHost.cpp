// Shows one wizard page, filled from key=value arguments, so that tests and the demo can drive it as a user
// would from another process:
//   pagehost page=notice|confirm|folder [dir=<programDirectory>] [picture=..] [text=..] [master=..] [folder=..]
//            [key1=..] ... [key15=..] [cwd=<current directory>] [out=<file>] [close-after=<ms>]
// "\n" in text becomes CR LF. The page's result, m_folder, the current drive and directory afterwards go to
// out as result=, folder=, drive=, cwd= lines.

#include "ConfirmDlg.h"
#include "Cp932.h"
#include "CurrentDirectory.h"
#include "FolderDlg.h"
#include "NoticeDlg.h"
#include "UninstallRegistry.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

std::string Decode(std::string text)
{
    for (size_t at = 0; (at = text.find("\\n", at)) != std::string::npos; at += 2)
        text.replace(at, 2, "\r\n");
    return text;
}

void CALLBACK CloseActivePage(HWND, UINT, UINT_PTR, DWORD)
{
    PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
}

INT_PTR ShowPage(std::map<std::string, std::string>& args, std::string& folderOut)
{
    const std::string& page = args["page"];
    if (page == "notice") {
        CNoticeDlg dialog;
        dialog.m_text = Decode(args["text"]);
        dialog.m_picture = args["dir"] + args["picture"];
        dialog.m_masterAdjust = DecimalValue(args["master"]);
        return dialog.DoModal();
    }
    if (page == "confirm") {
        CConfirmDlg dialog;
        dialog.m_folder = args["folder"];
        dialog.m_picture = args["dir"] + args["picture"];
        return dialog.DoModal();
    }
    std::string keys[15];
    for (int i = 0; i < 15; ++i)
        keys[i] = args["key" + std::to_string(i + 1)];
    CFolderDlg dialog;
    dialog.m_folder = OfferedInstallFolder(keys, args["folder"]); // as the wizard offers it
    dialog.m_text = Decode(args["text"]);
    dialog.m_picture = args["dir"] + args["picture"];
    INT_PTR result = dialog.DoModal();
    folderOut = dialog.m_folder;
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        size_t equals = arg.find('=');
        if (equals != std::string::npos)
            args[arg.substr(0, equals)] = arg.substr(equals + 1);
    }
    // Wine starts no process in a network folder, so the helper moves there itself, as a start there would.
    CRuntimeDirectory directory;
    if (args.count("cwd") && !directory.ChangeDirectory(args["cwd"]))
        return 100;
    if (args.count("close-after"))
        SetTimer(nullptr, 0, static_cast<UINT>(std::stoul(args["close-after"])), CloseActivePage);
    std::string folder = args["folder"];
    INT_PTR result = ShowPage(args, folder);
    if (FILE* out = std::fopen(args["out"].c_str(), "wb")) {
        std::fprintf(out, "result=%d\nfolder=%s\ndrive=%c\ncwd=%s\n", static_cast<int>(result), folder.c_str(),
                     'A' + directory.CurrentDriveNumber() - 1, directory.CurrentDirectory().c_str());
        std::fclose(out);
    }
    return static_cast<int>(result);
}
