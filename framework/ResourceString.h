#pragma once
// Texts of the string table, in code page 932, whatever their length.

#include <windows.h>

#include <string>

// A UTF-16 text in code page 932, the program's own.
inline std::string WideToCp932(const wchar_t* text, int length)
{
    if (length <= 0)
        return {};
    int bytes = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(932, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

inline std::string LoadResourceString(UINT id)
{
    // With a zero length LoadStringW hands out a pointer to the resource itself; the A form has no such mode.
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return text ? WideToCp932(text, length) : std::string();
}
