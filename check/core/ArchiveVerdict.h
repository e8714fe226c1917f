#pragma once
// Whether an archive of the medium would extract: every entry decoded and checked, as extraction does.

#include "Findings.h"
#include "Reader.h"

// True when the archive passes; otherwise finding gets the id and arguments that say why.
bool TestMediaArchive(ByteSource& source, Finding& finding);

#include <string>
#include <vector>

// The names of the files extraction with e writes (last components, in archive order), once the archive has
// passed a whole test; false, with finding telling why, when it has not.
bool ListMediaArchive(ByteSource& source, std::vector<std::string>& names, Finding& finding);

// The bytes extraction with e writes for the file of that name (the last member of the name wins).
bool ReadArchiveMember(ByteSource& source, const std::string& name, std::string& bytes);
