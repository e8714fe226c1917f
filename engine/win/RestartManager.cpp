#include "RestartManager.h"

#include "CodePage.h"
#include "SystemLibrary.h"

#include <restartmanager.h>

#include <algorithm>

namespace {

using StartSession = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RegisterResources = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*, UINT, LPCWSTR*);
using GetList = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, DWORD*);
using EndSession = DWORD(WINAPI*)(DWORD);

std::vector<RM_PROCESS_INFO> Holders(const CSystemLibrary& library, DWORD session, std::vector<LPCWSTR>& files)
{
    auto registerResources = library.Proc<RegisterResources>("RmRegisterResources");
    auto getList = library.Proc<GetList>("RmGetList");
    std::vector<RM_PROCESS_INFO> found;
    if (!registerResources || !getList ||
        registerResources(session, static_cast<UINT>(files.size()), files.data(), 0, nullptr, 0, nullptr) !=
            ERROR_SUCCESS)
        return found;
    // The list may grow between the two calls: ask again while it does.
    for (int attempt = 0; attempt < 3; ++attempt) {
        UINT needed = 0;
        UINT count = static_cast<UINT>(found.size());
        DWORD reasons = 0;
        DWORD result = getList(session, &needed, &count, found.data(), &reasons);
        if (result == ERROR_MORE_DATA) {
            found.resize(needed);
            continue;
        }
        found.resize(result == ERROR_SUCCESS ? count : 0);
        return found;
    }
    return {};
}

} // namespace

std::vector<std::string> ProgramsHoldingFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> names;
    CSystemLibrary library(L"rstrtmgr.dll");
    auto startSession = library.Proc<StartSession>("RmStartSession");
    auto endSession = library.Proc<EndSession>("RmEndSession");
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (!startSession || !endSession || startSession(&session, 0, key) != ERROR_SUCCESS)
        return names;
    std::vector<std::wstring> wide;
    for (const std::string& path : paths)
        wide.push_back(ToWide(path, CP_ACP));
    std::vector<LPCWSTR> files;
    for (const std::wstring& path : wide)
        files.push_back(path.c_str());
    std::vector<RM_PROCESS_INFO> found = Holders(library, session, files);
    endSession(session);
    for (const RM_PROCESS_INFO& process : found) {
        std::string name = FromWide(process.strAppName, CP_ACP);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}
