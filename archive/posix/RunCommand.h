#pragma once
// Runs a command text (e, x, t or l) on the local file system: the Linux side of lzhx.

#include <ostream>
#include <string>

namespace lzh {

// 0 on success; otherwise non-zero with an English message in message. Listings go to out.
int RunPosixCommand(const std::string& text, std::ostream& out, std::string& message);

}
