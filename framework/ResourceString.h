#pragma once
// Texts of the string table, in code page 932, whatever their length.

#include <windows.h>

#include <string>

inline std::string LoadResourceString(UINT id)
{
    // With a zero length LoadStringW hands out a pointer to the resource itself; the A form has no such mode.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return {};
    int bytes = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(932, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}
