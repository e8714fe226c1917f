#include <gtest/gtest.h>

#include "FillMessage.h"

namespace {

TEST(FillMessage, BothPlaceholderStyles)
{
    struct Case {
        std::string pattern;
        std::initializer_list<std::string_view> args;
        std::string expected;
    } cases[] = {
        {"%d disk", {"2"}, "2 disk"},
        {"%s failed", {"C:\\A%s%d"}, "C:\\A%s%d failed"}, // an argument is never read as a pattern
        {"%s and %s", {"a", "b"}, "a and b"},
        {"%s and %s", {"a"}, "a and %s"},
        {"%2 in %1, %2", {"arc", "name"}, "name in arc, name"},
        {"%3%", {"a", "b"}, "%3%"},
        {"100%", {}, "100%"},
        {"\x8C\x60%s", {"x"}, "\x8C\x60x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FillMessage(c.pattern, c.args), c.expected) << c.pattern;
}

} // namespace
