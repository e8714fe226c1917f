#pragma once
// Conversions between the product's code page 932 and the UTF-8 of Linux file names and terminals.

#include <string>

// Bytes that are no CP932 character become '?'.
std::string Cp932ToUtf8(const std::string& text);
// Characters that CP932 lacks become '?'.
std::string Utf8ToCp932(const std::string& text);
