// The switches of Parvel.exe as a deployment script writes them.
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

struct Case {
    const char* text;
    const char* refused; // "" when the line is sound
    bool silent, verySilent, suppress, usage;
    const char* folder; // nullptr: no /DIR
    const char* log;
};

const Case kCases[] = {
    {"", "", false, false, false, false, nullptr, ""},
    {"  \t ", "", false, false, false, false, nullptr, ""},
    {"/VERYSILENT /SUPPRESSMSGBOXES /DIR=\"C:\\積算\\電気\" /LOG=\"C:\\logs\\p.log\"", "", false, true, true, false,
     "C:\\積算\\電気", "C:\\logs\\p.log"},
    // Any letter case, '-' for '/', the quotes around the whole word or none.
    {"-silent \"/dir=C:\\Program Files\\積算\" /Log=p.log", "", true, false, false, false, "C:\\Program Files\\積算",
     "p.log"},
    // A quote is never escaped: the trailing backslash stays; a trail byte 0x5C (表) is no separator.
    {"/DIR=\"C:\\\x95\\\\\" /SILENT", "", true, false, false, false, "C:\\\x95\\\\", ""},
    {"/?", "", false, false, false, true, nullptr, ""},
    {"-? /SUPPRESSMSGBOXES", "", false, false, true, true, nullptr, ""},
    // Not understood: the first such word is named, and what came before it is still read.
    {"/SILENT /FOO /BAR", "/FOO", true, false, false, false, nullptr, ""},
    {"/DIR", "/DIR", false, false, false, false, nullptr, ""},
    {"/DIR= /SILENT", "/DIR=", true, false, false, false, nullptr, ""},
    {"/LOG=\"\"", "/LOG=", false, false, false, false, nullptr, ""},
    {"/DIR=C:\\A /DIR=C:\\B", "/DIR=C:\\B", false, false, false, false, "C:\\A", ""},
    {"/LOG=a.log -log=b.log", "-log=b.log", false, false, false, false, nullptr, "a.log"},
    {"/SILENT=1", "/SILENT=1", false, false, false, false, nullptr, ""},
    {"C:\\積算", "C:\\積算", false, false, false, false, nullptr, ""},
    {"/ -", "/", false, false, false, false, nullptr, ""},
    {"\"\"", "\"\"", false, false, false, false, nullptr, ""},
    // An unclosed quote runs to the end of the line.
    {"/DIR=\"C:\\a b", "", false, false, false, false, "C:\\a b", ""},
};

TEST(CommandLine, SwitchesAsScriptsWriteThem)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        CommandLine line = ParseCommandLine(c.text);
        EXPECT_EQ(line.refused, c.refused);
        EXPECT_EQ(line.Sound(), *c.refused == '\0');
        EXPECT_EQ(line.silent, c.silent);
        EXPECT_EQ(line.verySilent, c.verySilent);
        EXPECT_EQ(line.suppressMessageBoxes, c.suppress);
        EXPECT_EQ(line.usage, c.usage);
        EXPECT_EQ(line.folder.value_or("<none>"), c.folder ? c.folder : "<none>");
        EXPECT_EQ(line.logFile, c.log);
    }
}

} // namespace
