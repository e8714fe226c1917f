#pragma once
// The switches of Parvel.exe, for support staff who update an office without a person at the screen.
//
// Switches start with '/' or '-' and match in any letter case. A value follows '=', quoted or not:
// /DIR="C:\積算\電気" and "/DIR=C:\積算\電気" are the same. A double quote only groups words; it is never
// escaped by a backslash, so a quoted folder ending in a backslash keeps it.

#include <optional>
#include <string>
#include <string_view>

struct CommandLine {
    bool silent = false;                // /SILENT: no pages; the archive progress window still shows
    bool verySilent = false;            // /VERYSILENT: no window at all
    bool suppressMessageBoxes = false;  // /SUPPRESSMSGBOXES: every box answered and logged, none shown
    bool usage = false;                 // /?
    std::optional<std::string> folder;  // /DIR=
    std::string logFile;                // /LOG=; empty without it
    std::string refused;                // the first word not understood (a value switch without its
                                        // value, a repeated one, an unknown one); empty when all are

    bool Unattended() const { return silent || verySilent; }
    bool Sound() const { return refused.empty(); }
};

// text: the command line after the program's name, CP932 (no trail byte is a space or a quote).
CommandLine ParseCommandLine(std::string_view text);
