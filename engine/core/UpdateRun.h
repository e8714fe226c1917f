#pragma once
// Helpers of the update run, exposed for its tests.

#include "WorkFile.h"

#include <string>

// Replaces every occurrence of oldText by newText, never again inside an inserted newText.
void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText);
