#pragma once
// The archive component's three entry points, as the update run calls them:
//   LzhSetBackgroundMode(0)  foreground: a progress window while extracting
//   LzhSetCursorMode(1)      the wait cursor while working
//   LzhRunCommand(owner, "e -mcw<Windows folder> \"<medium><name>\" \"<destination>\"", output, size)
// LzhRunCommand returns 0 on success; otherwise non-zero, with a NUL-terminated Japanese message (CP932,
// at most outputSize - 1 bytes, never cut inside a character) in output.

#include <windows.h>

int LzhSetBackgroundMode(int background);
int LzhSetCursorMode(int waitCursor);
int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize);
