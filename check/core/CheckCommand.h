#pragma once
// The command line of parvel-check and the shape of its output lines, shared by both front ends.

#include "Findings.h"

#include <string>
#include <vector>

struct CheckArguments {
    std::vector<std::string> disks; // root folder of each disk, in order
    std::string installFolder;      // empty: no preview
};

// False when the arguments do not form a command (no disk, --install without its folder, unknown option).
bool ParseCheckArguments(const std::vector<std::string>& words, CheckArguments& arguments);

// What follows the file's path on a finding's line: ":line: label: text", in CP932.
std::string FindingTail(const Finding& finding);

// The usage text, in CP932.
std::string UsageText();
