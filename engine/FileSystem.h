#pragma once
// The platform services the engine reads through: existence tests and private-profile keys.

#include <string>

// The platform's existence test (file or folder) on the path exactly as formed.
bool PathExists(const std::string& path);

// A key's whole value, however long; defaultValue when the file, section or key is missing.
std::string ReadProfileText(const char* section, const char* key, const char* defaultValue,
                            const std::string& iniPath);
