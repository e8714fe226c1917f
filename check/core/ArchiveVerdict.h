#pragma once
// Whether an archive of the medium would extract: every entry decoded and checked, as extraction does.

#include "Findings.h"
#include "Reader.h"

// True when the archive passes; otherwise finding gets the id and arguments that say why.
bool TestMediaArchive(lzh::ArchiveSource& source, Finding& finding);
