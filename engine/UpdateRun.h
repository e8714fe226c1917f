#pragma once
// The update run: identification, the entries of the description, the settings keys and the master
// conversions, each outcome reported through the prompts. 0 only when the folder was not accepted
// (identification); 1 for every outcome once the entries have begun.

#include <windows.h>

#include <string>

#include "RunPrompts.h"
#include "UpdateDescription.h"

int RunUpdate(UpdateDescription& description, HWND owner, RunPrompts& prompts);

// Creates the last level of the path when it does not exist; a failure shows later, at the copy.
void EnsureFolder(const std::string& path);

// Replaces every occurrence of oldText by newText, never again inside an inserted newText.
void ReplaceAllInPlace(std::string& text, const std::string& oldText, const std::string& newText);
