#pragma once
// Conversions between the program's code page 932 texts and UTF-16 or other code pages, whatever their length.

#include <windows.h>

#include <string>
#include <string_view>

inline std::wstring ToWide(std::string_view text, UINT codePage)
{
    int length = text.empty() ? 0
                              : MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

inline std::string FromWide(std::wstring_view text, UINT codePage)
{
    int length = text.empty() ? 0
                              : WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                                    0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                            nullptr);
    return bytes;
}

// A UTF-16 text in code page 932, the program's own.
inline std::string WideToCp932(const wchar_t* text, int length)
{
    return length > 0 ? FromWide(std::wstring_view(text, static_cast<size_t>(length)), 932) : std::string();
}
