// Started through the shipped programs' entry point: loads a DLL by its bare name, as the system loads the
// late ones. Exit 0 when nothing was found (only System32 searched), 1 when it loaded, 2 when only a load
// told to look beside the program finds it (the control that the planted DLL loads at all).
#include <windows.h>

int main()
{
    if (::LoadLibraryW(L"parvel-probe.dll"))
        return 1;
    return ::LoadLibraryExW(L"parvel-probe.dll", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR) ? 2 : 3;
}
