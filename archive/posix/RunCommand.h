#pragma once
// Runs a command text (e, x, t or l) on the local file system: the Linux side of lzhx.

#include "CommandText.h"

#include <ostream>
#include <string>

namespace lzh {

// 0 on success; otherwise non-zero with an English message in message. Listings go to out.
int RunPosixCommand(const std::string& text, std::ostream& out, std::string& message);

// The same for a command already parsed (the lha-style command line), with the archive named in full.
int RunPosixCommand(const Command& command, std::ostream& out, std::string& message);

}
