#pragma once
// Carries out a parsed command text on an opened archive, for both front ends.

#include "CommandText.h"
#include "Failure.h"
#include "Reader.h"
#include "Target.h"

#include <string>

namespace lzh {

// l lists into listing (names checked as e writes them); t tests, checking names as x creates them, so that
// neither e nor x would refuse the archive; e and x extract into target, whose folder the caller has found.
// target may be null for l and t; progress may be null.
Failure RunCommandOn(const Command& command, ByteSource& source, Target* target, Progress* progress,
                     std::string& listing);

}
