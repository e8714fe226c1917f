#pragma once
// Windows path texts as the file system reads them: letters in any case, '\\' and '/' alike, a run of
// separators as one, '?' and '*' as wild cards in the last component of a search pattern.

#include <string>
#include <string_view>

#include "Cp932.h" // ShownPath

// One text for every spelling of the same path.
std::string PathKey(std::string_view path);

// Whether name matches a pattern such as "zai???-3.mst"; '?' is one character (double-byte ones too).
bool MatchesWildcard(std::string_view name, std::string_view pattern);
