#pragma once
// The Restart Manager, asked which programs hold files. rstrtmgr.dll is no known DLL: it is loaded from
// System32 when asked, never imported, so that one beside the program on the medium cannot run inside it.

#include <string>
#include <vector>

// The names of the programs holding any of the files (CP932 paths), each once; none where the Restart
// Manager is missing or cannot tell (under Wine it names none).
std::vector<std::string> ProgramsHoldingFiles(const std::vector<std::string>& paths);
