#include "MasterRecord.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A record of the given length starting with the two code groups, filled with a pattern that makes
// every position recognisable.
std::string Record(const std::string& head, size_t length)
{
    std::string r = head;
    for (size_t i = r.size(); i < length; ++i)
        r += static_cast<char>('a' + i % 26);
    return r.substr(0, length);
}

std::string Dropped67(const std::string& r) { return r.substr(0, 66) + r.substr(67); }

struct RuleCase {
    const char* what;
    std::string record;
    std::string expected;
};

TEST(SizeRule, SelectedRecordsLoseByte67UnlessExactly185)
{
    const std::string r186 = Record("400400000107", 186);
    const std::string r184 = Record("400400000111", 184);
    const std::string r67 = Record("400400000107", 67);
    const RuleCase cases[] = {
        {"186 bytes, 000107", r186, Dropped67(r186)},
        {"185 bytes stays", Record("400400000107", 185), Record("400400000107", 185)},
        {"184 bytes, 000111", r184, Dropped67(r184)},
        {"67 bytes drops its last", r67, r67.substr(0, 66)},
        {"66 bytes has no byte 67", Record("400400000107", 66), Record("400400000107", 66)},
        {"other second group", Record("400400000108", 186), Record("400400000108", 186)},
        {"other first group", Record("400401000107", 186), Record("400401000107", 186)},
        {"second group cut short", "40040000010", "40040000010"},
        {"empty", "", ""},
        {"lower digits differ", Record("4004000001O7", 186), Record("4004000001O7", 186)},
    };
    for (const RuleCase& c : cases) {
        std::string out;
        WriteSizeRecord(c.record, out);
        EXPECT_EQ(out, c.expected + "\r\n") << c.what;
    }
}

TEST(SizeRule, SecondRunKeepsFormer186ByteRecords)
{
    std::string once = ConvertMasterBytes(Record("400400000107", 186) + "\r\n", MasterRule::Size);
    EXPECT_EQ(ConvertMasterBytes(once, MasterRule::Size), once);
    EXPECT_EQ(once.size(), 187u);
}

TEST(TypeRule, Byte14AOrBBecomesZ)
{
    const RuleCase cases[] = {
        {"A", "1234567890123A56", "1234567890123Z56"},
        {"B at the end", "1234567890123B", "1234567890123Z"},
        {"lower a", "1234567890123a56", "1234567890123a56"},
        {"lower b", "1234567890123b", "1234567890123b"},
        {"other letter", "1234567890123C", "1234567890123C"},
        {"13 bytes", "123456789012A", "123456789012A"},
        {"A elsewhere only", "A234567890123X", "A234567890123X"},
        {"double-byte text around", "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82" "A\x82\xA0",
         "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82" "Z\x82\xA0"},
    };
    for (const RuleCase& c : cases) {
        std::string out;
        WriteTypeRecord(c.record, out);
        EXPECT_EQ(out, c.expected + "\r\n") << c.what;
    }
}

TEST(TypeRule, SecondRunChangesNothing)
{
    std::string once = ConvertMasterBytes("1234567890123A\r\n1234567890123B\n", MasterRule::Type);
    EXPECT_EQ(ConvertMasterBytes(once, MasterRule::Type), once);
}

TEST(RecordStream, LineEndsAsTextModeReadsThem)
{
    const RuleCase cases[] = {
        {"CR LF", "a\r\nb\r\n", "a\r\nb\r\n"},
        {"lone LF", "a\nb\n", "a\r\nb\r\n"},
        {"no final line end", "a\r\nb", "a\r\nb\r\n"},
        {"empty lines are records", "\n\r\n\n", "\r\n\r\n\r\n"},
        {"lone CR is data", "a\rb\n", "a\rb\r\n"},
        {"CR at the very end stays", "a\r", "a\r\r\n"},
        {"CR CR LF keeps one CR", "a\r\r\n", "a\r\r\n"},
        {"empty file", "", ""},
        {"NUL and 0x1A are data", std::string("a\0b\x1A\n", 5), std::string("a\0b\x1A\r\n", 6)},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(ConvertMasterBytes(c.record, MasterRule::Type), c.expected) << c.what;
}

// Both rules at once are the size conversion followed by the type conversion, each counting its own records.
TEST(MasterRules, BothAreSizeThenType)
{
    const std::string input = Record("400400000107", 186) + "\r\n" + Record("400400000111", 190) + "\r\n" +
                              Record("400400000107", 185) + "\r\n1234567890123B\nshort\n" + Record("400400000107", 67);
    const std::string both = ConvertMasterBytes(input, MasterRule::Both);
    EXPECT_EQ(both, ConvertMasterBytes(ConvertMasterBytes(input, MasterRule::Size), MasterRule::Type));
    MasterStreamConverter converter(MasterRule::Both);
    std::string out;
    converter.Feed(input, out);
    converter.Finish(out);
    EXPECT_EQ(converter.ChangedRecords(), 3u) << "186, 190 and 67 bytes lose byte 67";
    EXPECT_EQ(converter.TypeChangedRecords(), 1u) << "only the B record: the others hold no A or B at byte 14";
}

// The file is read in chunks; a record or its CR LF split across two chunks must come out whole.
TEST(RecordStream, ChunkBoundariesDoNotChangeTheOutput)
{
    std::string input = Record("400400000107", 186) + "\r\n" + Record("400400000111", 190) + "\r\n\r\nx\rY\n" +
                        Record("400400000107", 70);
    const std::string whole = ConvertMasterBytes(input, MasterRule::Size);
    for (size_t chunk = 1; chunk <= 9; ++chunk) {
        MasterStreamConverter converter(MasterRule::Size);
        std::string out;
        for (size_t at = 0; at < input.size(); at += chunk)
            converter.Feed(std::string_view(input).substr(at, chunk), out);
        converter.Finish(out);
        EXPECT_EQ(out, whole) << "chunk " << chunk;
    }
}

// The word-wise search must find the first LF wherever it stands in a word, next to bytes that differ from
// LF by one bit or by the high bit.
TEST(RecordStream, LineFeedFoundAtEveryOffset)
{
    for (size_t length = 0; length <= 19; ++length) {
        for (size_t at = 0; at <= length; ++at) {
            std::string text(length, '\x8B');
            for (size_t i = 0; i < length; i += 3)
                text[i] = '\x0B';
            if (at < length)
                text[at] = '\n';
            if (at + 1 < length)
                text[at + 1] = '\n';
            EXPECT_EQ(FindLineFeed(text), text.find('\n')) << "length " << length << ", LF at " << at;
        }
    }
}

} // namespace
