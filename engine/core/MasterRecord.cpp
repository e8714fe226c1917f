#include "MasterRecord.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kUnchangedSizeLength = 185;
constexpr size_t kDroppedByte = 66;  // byte 67, 0-based
constexpr size_t kTypeByte = 13;     // byte 14, 0-based

void AppendLineEnd(std::string& out) { out.append("\r\n", 2); }

// The type rule over a record the size rule has just written at start, line end included. The size rule
// drops byte 67 at most, so the type byte stays where the type rule looks for it.
bool MarkTypeAfterSize(std::string& out, size_t start)
{
    if (out.size() - start - 2 <= kTypeByte)
        return false;
    char& type = out[start + kTypeByte];
    if (type != 'A' && type != 'B')
        return false;
    type = 'Z';
    return true;
}

} // namespace

size_t FindLineFeed(std::string_view text)
{
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kHighs = 0x8080808080808080ull;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        uint64_t x = word ^ (kOnes * '\n');
        // Nonzero exactly when some byte of x is zero; the lowest flagged byte is the first LF.
        uint64_t found = (x - kOnes) & ~x & kHighs;
        if (found != 0)
            return i + static_cast<size_t>(__builtin_ctzll(found)) / 8;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == '\n')
            return i;
    }
    return std::string_view::npos;
}

bool IsSizeRecordSelected(std::string_view record)
{
    if (record.size() < 12 || record.size() == kUnchangedSizeLength)
        return false;
    if (record.substr(0, 6) != "400400")
        return false;
    std::string_view second = record.substr(6, 6);
    return second == "000107" || second == "000111";
}

bool WriteSizeRecord(std::string_view record, std::string& out)
{
    bool changes = IsSizeRecordSelected(record) && record.size() > kDroppedByte;
    if (changes) {
        out.append(record.substr(0, kDroppedByte));
        out.append(record.substr(kDroppedByte + 1));
    } else {
        out.append(record);
    }
    AppendLineEnd(out);
    return changes;
}

bool WriteTypeRecord(std::string_view record, std::string& out)
{
    size_t start = out.size();
    out.append(record);
    bool changes = record.size() > kTypeByte && (record[kTypeByte] == 'A' || record[kTypeByte] == 'B');
    if (changes)
        out[start + kTypeByte] = 'Z';
    AppendLineEnd(out);
    return changes;
}

bool WriteRecord(MasterRule rule, std::string_view record, std::string& out)
{
    switch (rule) {
    case MasterRule::Size: return WriteSizeRecord(record, out);
    case MasterRule::Type: return WriteTypeRecord(record, out);
    case MasterRule::Both: break;
    }
    size_t start = out.size();
    bool size = WriteSizeRecord(record, out);
    return MarkTypeAfterSize(out, start) || size;
}

void MasterStreamConverter::Write(std::string_view record, std::string& out)
{
    if (m_rule != MasterRule::Both) {
        m_changed += WriteRecord(m_rule, record, out);
        return;
    }
    size_t start = out.size();
    m_changed += WriteSizeRecord(record, out);
    m_typeChanged += MarkTypeAfterSize(out, start);
}

void MasterStreamConverter::Feed(std::string_view chunk, std::string& out)
{
    m_splitter.Feed(chunk, [&](std::string_view record) { Write(record, out); });
}

void MasterStreamConverter::Finish(std::string& out)
{
    m_splitter.Finish([&](std::string_view record) { Write(record, out); });
}

std::string ConvertMasterBytes(std::string_view bytes, MasterRule rule)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8 + 2);
    MasterStreamConverter converter(rule);
    converter.Feed(bytes, out);
    converter.Finish(out);
    return out;
}
