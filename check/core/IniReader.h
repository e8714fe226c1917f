#pragma once
// Reads a key of an INI file's bytes as the platform's private-profile functions do: section and key names
// match without regard to letter case, the first section and the first key of that name count, and the value
// loses the white space around it and one pair of enclosing quotes.

#include <string>
#include <string_view>

// False when the file holds no such section or key; value is then untouched.
bool FindProfileValue(std::string_view bytes, std::string_view section, std::string_view key, std::string& value);
