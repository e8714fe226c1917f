#pragma once
// The medium's SHA256SUMS, checked as the update run checks them: on each disk, every file the update reads
// (info.txt, the pictures, the entries' archives and loose files, the editions' START archives) and Parvel.exe
// must be listed with its digest. A disk without a list is a warning: the update then reads it unchecked.

#include "MediaCheck.h"

void CheckChecksumLists(MediaFiles& media, MediumReport& report);
