#pragma once
// Helpers of the update run, exposed for its tests.

#include <string>

// Appended to a loose file's target to name the work file the copy goes to first.
constexpr char kLooseWorkSuffix[] = ".parvel~";

// Replaces every occurrence of oldText by newText, never again inside an inserted newText.
void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText);
