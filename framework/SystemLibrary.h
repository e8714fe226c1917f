#pragma once
// DLLs that are not among the system's known DLLs are loaded at run time, from System32 alone: by the
// default search order a DLL of that name beside the program on the medium, or in the current directory,
// would run inside it (with an administrator's rights after elevation).

#include <windows.h>

// Keeps every later DLL load of the process to System32 (and the side-by-side assemblies): called first by
// the programs' entry points (ProgramStart.cpp), before the C runtime or any static initialiser runs.
void KeepDllLoadsToSystem32();

// A DLL of System32 by its file name, or null where the system has none.
HMODULE LoadSystemLibrary(const wchar_t* name);

// An export of module as the function type F, or null.
template <class F>
F SystemProc(HMODULE module, const char* name)
{
    // Through void(*)(), the one function type a cast may pass through without a warning.
    return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name))) : nullptr;
}

// A module loaded by LoadSystemLibrary, freed once.
class CSystemLibrary {
public:
    explicit CSystemLibrary(const wchar_t* name) : m_module(LoadSystemLibrary(name)) {}
    ~CSystemLibrary()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;

    explicit operator bool() const { return m_module != nullptr; }
    template <class F>
    F Proc(const char* name) const
    {
        return SystemProc<F>(m_module, name);
    }

private:
    HMODULE m_module;
};
