/* A DLL planted beside a program under a name it might load: loaded, it leaves NAME.dll.ran beside itself.
   Linked without the C runtime (whose own DLL might be one of the planted names), with every export the
   program imports from that name pointing at MarkerStub. */
#include <windows.h>

int MarkerStub(void) { return 0; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        WCHAR path[MAX_PATH + 8];
        DWORD n = GetModuleFileNameW(instance, path, MAX_PATH);
        lstrcpyW(path + n, L".ran");
        HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (marker != INVALID_HANDLE_VALUE)
            CloseHandle(marker);
    }
    return TRUE;
}
