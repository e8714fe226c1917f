#pragma once
// Texts of the string table, in code page 932.

#include <windows.h>

#include <string>

std::string LoadResourceString(UINT id);
