#pragma once
// The command line of parvel-check and the shape of its output lines, shared by both front ends.

#include "Findings.h"

#include <string>
#include <vector>

struct CheckArguments {
    std::vector<std::string> disks; // root folder of each disk, in order
    std::string installFolder;      // empty: no preview
    std::string windowsFolder;      // --as: the Windows folder the copy at installFolder stands for
};

// False when the arguments do not form a command (no disk, --install or --as without its folder, --as
// without --install or not a Windows drive or network path, an unknown option).
bool ParseCheckArguments(const std::vector<std::string>& words, CheckArguments& arguments);

// The exit status: 1 when the medium has an error, else 3 when the preview could not see everything the
// run asked about, else 0 (2 is for wrong arguments).
int CheckStatus(bool mediumHasErrors, bool previewComplete);

// What follows the file's path on a finding's line: ":line: label: text", in CP932.
std::string FindingTail(const Finding& finding);

// The usage text, in CP932.
std::string UsageText();
