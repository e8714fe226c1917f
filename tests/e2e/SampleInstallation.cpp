#include "SampleInstallation.h"

#include "ParvelProcess.h"

void MakeInstallation(const std::string& folder)
{
    MakeFolders(folder + "\\bmp");
    MakeFolders(folder + "\\MASTER\\1");
    WriteFile(folder + "\\tavilo1.ini", "[SYSTEM]\r\nTITLE=" + Cp932("積算 電気 8.0S") + "\r\n[DIR]\r\nMASTER=" +
                                            folder + "\\MASTER\\\r\n");
    WriteFile(folder + "\\qe2menu.ini", "[MENU]\r\n");
    WriteFile(folder + "\\bmp\\MERIO2L.BMP", "BM");
    WriteFile(folder + "\\MASTER\\1\\zai001-3.mst", "400400000107XA" + std::string(172, 'm') + "\r\n");
}

std::vector<std::string> FilesIn(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

std::vector<std::string> Description(const std::string& key, const std::string& installFolder)
{
    std::vector<std::string> lines(42);
    lines[0] = key;
    lines[15] = installFolder;
    lines[17] = "1";   // convert the material masters
    lines[18] = "NULL"; // find the settings file
    lines[19] = "1";
    lines[20] = "9.1S";
    lines[25] = Cp932("注意事項\t.二行目");
    lines[26] = Cp932("フォルダを指定して下さい。");
    lines[27] = Cp932("電気");
    return lines;
}

