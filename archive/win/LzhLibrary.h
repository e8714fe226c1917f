#pragma once
// The archive component's three entry points, as the update run calls them:
//   LzhSetBackgroundMode(0)  foreground: a progress window while extracting
//   LzhSetCursorMode(1)      the wait cursor while working
//   LzhRunCommand(owner, "e -mcw<Windows folder> \"<medium><name>\" \"<destination>\"", output, size)
//   LzhRunCommand(owner, "l \"<archive>\"", output, size)   lists the members into output
// LzhRunCommand returns 0 on success; otherwise non-zero, with a NUL-terminated Japanese message (CP932,
// at most outputSize - 1 bytes, never cut inside a character) in output. An archive without members fails.

#include <windows.h>

#include <string>
#include <vector>

#include "WinTarget.h"

int LzhSetBackgroundMode(int background);
int LzhSetCursorMode(int waitCursor);
int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize);
// The same, with the whole message or listing in output (for lzhx).
int LzhRunCommand(HWND owner, const char* command, std::string& output);
// The same, for an update that replaces nothing before all of it is in place: each member that passes its
// checks stays beside its target under its work name and is listed in staged, also when a later one fails.
int LzhRunCommandStaged(HWND owner, const char* command, std::string& output, std::vector<CStagedMember>* staged);
