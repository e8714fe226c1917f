// The entry points of the shipped programs (linked with -e, see parvel_shipped_program): DLL loads are kept
// to System32 before the C runtime and the static initialisers run, then the runtime's own entry takes over.
// Only the imported DLLs, all of them known DLLs that the system takes from System32, are loaded before this.
#include "SystemLibrary.h"

#include <cstdlib>

// An uncaught exception ends a shipped program at once. The C++ runtime's own handler prints the exception's
// type, demangled, to a console these programs mostly lack, and brings its demangler (over 40 KB) along.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}

extern "C" {
int WinMainCRTStartup();
int mainCRTStartup();

#ifdef __i386__
// The loader leaves the stack 4-byte aligned on 32-bit Windows.
#define PARVEL_ENTRY __attribute__((force_align_arg_pointer))
#else
#define PARVEL_ENTRY
#endif

PARVEL_ENTRY int ParvelWindowsStart()
{
    KeepDllLoadsToSystem32();
    return WinMainCRTStartup();
}

PARVEL_ENTRY int ParvelConsoleStart()
{
    KeepDllLoadsToSystem32();
    return mainCRTStartup();
}
}
