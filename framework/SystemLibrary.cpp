#include "SystemLibrary.h"

void KeepDllLoadsToSystem32()
{
    // Windows 7 has the call only with its loader update: looked up, and the current directory at least
    // taken out of the search where it is missing.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    auto setDefault = SystemProc<SetDefaultDirectories>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        ::SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
