#pragma once
// Master records and file names shared by the native and the Wine master conversion tests.

#include <cstdio>
#include <string>

// A record the size rule selects, 186 bytes, and what the rule makes of it (byte 67 dropped).
inline const std::string kSizeRecord = "400400000107" + std::string(54, '-') + "X" + std::string(119, '+');
inline const std::string kSizeConverted = "400400000107" + std::string(54, '-') + std::string(119, '+');

// "zai000-3.mst" ... "zai999-3.mst", and four digits from 1000 on.
inline std::string MasterName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "zai%03d-3.mst", i);
    return name;
}
