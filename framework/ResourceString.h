#pragma once
// Texts of the string table, in code page 932, whatever their length.

#include "CodePage.h"

#include <windows.h>

#include <string>

inline std::string LoadResourceString(UINT id)
{
    // With a zero length LoadStringW hands out a pointer to the resource itself; the A form has no such mode.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return text ? WideToCp932(text, length) : std::string();
}
