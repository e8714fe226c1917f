#pragma once
// The archive component's Win32 entry points.
//   LzhExtract(owner, request): extracts one archive for the update run, a typed request and result; every
//     member that passes its checks stays beside its target under its work name, listed in the result.
//   LzhRunCommand(owner, "e -mcw<folder> \"<archive>\" \"<destination>\"", output, modes): the command text
//     as lzhx and the tests give it (e, x, t, l; the archive named without ".lzh").
// Both return 0 on success; otherwise the failure's kind, with a Japanese message (CP932, never cut inside a
// character). An archive without members fails.

#include <windows.h>

#include <string>
#include <vector>

#include "WinTarget.h"

// How the component shows its work.
struct LzhModes {
    bool progressWindow = false; // a progress window owned by the owner, once an extraction has run 0.5 s
    bool waitCursor = false;     // the wait cursor while working
};

struct LzhExtraction {
    std::string archive;     // the archive file, ".lzh" included
    std::string destination; // an existing folder
    bool keepFolders = false; // as x: the stored folders under destination; as e: every member into it
    LzhModes modes;
};

struct LzhResult {
    int failure = 0;                    // the failure's kind; 0 when every member was staged
    std::string message;                // its Japanese text, whole
    std::vector<CStagedMember> staged; // also those staged before a failure, for the caller to remove
};

LzhResult LzhExtract(HWND owner, const LzhExtraction& request);

// The message or listing at most outputSize - 1 bytes, NUL-terminated.
int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize, LzhModes modes = {});
// The same, with the whole message or listing in output (for lzhx).
int LzhRunCommand(HWND owner, const char* command, std::string& output, LzhModes modes = {});
