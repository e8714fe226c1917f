#pragma once
// Texts and folders for the Windows tests.

#include <string>

// CP932 bytes of a UTF-8 literal, so that tests spell Japanese names readably.
std::string Cp932(const char* utf8);

// Deletes a file, or a folder with everything in it (read-only files too); nothing when there is none.
void RemoveTree(const std::string& path);
