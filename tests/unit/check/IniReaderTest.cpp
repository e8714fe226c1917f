// The INI reader of the preview on Linux, against what the private-profile functions answer.

#include "IniReader.h"

#include <gtest/gtest.h>

namespace {

TEST(IniReader, ReadsKeysAsTheProfileFunctionsDo)
{
    // ソ is 0x83 0x5C: its trail byte is a backslash.
    const std::string file = "; comment\r\n[System]\r\n Title = ABC 8.0S \r\nQuoted=\"  padded  \"\r\n"
                             "Path=C:\\\x83\x5C\\\r\nnoequals\r\n[DIR]\r\nMASTER=C:\\M\\\r\n[system]\r\nLATE=1\r\n";
    struct Case {
        const char* section;
        const char* key;
        bool found;
        std::string value;
    } cases[] = {
        {"SYSTEM", "TITLE", true, "ABC 8.0S"},         // names in any case, value trimmed
        {"system", "quoted", true, "  padded  "},      // one pair of quotes removed, inside kept
        {"SYSTEM", "PATH", true, "C:\\\x83\x5C\\"},    // double-byte characters whole
        {"DIR", "master", true, "C:\\M\\"},
        {"SYSTEM", "LATE", false, ""},                 // only the first section of a name counts
        {"SYSTEM", "MASTER", false, ""},               // a key of another section
        {"SYSTEM", "noequals", false, ""},
        {"NONE", "TITLE", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        std::string value = "unchanged";
        EXPECT_EQ(FindProfileValue(file, c.section, c.key, value), c.found);
        EXPECT_EQ(value, c.found ? c.value : "unchanged");
    }
}

}
