#pragma once
// Record rules of the material master files and the text-mode record stream that feeds them.
//
// A master file is CP932 text, one fixed-column record per line. Positions are byte positions: a
// double-byte character counts as two bytes, and the rules never look at characters.

#include <string>
#include <string_view>

// Both: the size rule, then the type rule over its result, as the two conversions one after the other.
enum class MasterRule { Size, Type, Both };

// Size rule: "400400" in bytes 1-6, "000107" or "000111" in bytes 7-12, and a length other than 185.
bool IsSizeRecordSelected(std::string_view record);

// Appends the record as the rule writes it, followed by CR LF; true when the rule changed it.
bool WriteSizeRecord(std::string_view record, std::string& out);
bool WriteTypeRecord(std::string_view record, std::string& out);
bool WriteRecord(MasterRule rule, std::string_view record, std::string& out);

// Offset of the first LF in text, or npos. Eight bytes a step: the C library's memchr of some platforms
// looks at one byte at a time, and this search runs over every byte of a master.
size_t FindLineFeed(std::string_view text);

// Splits a byte stream into records as a text-mode read does: LF ends a record, a CR right before it
// belongs to the line end, any other CR is data. A last record without a line end still counts.
// Only an unfinished record is held between chunks.
class RecordSplitter {
public:
    template <class OnRecord> void Feed(std::string_view chunk, OnRecord&& onRecord);
    template <class OnRecord> void Finish(OnRecord&& onRecord);

private:
    static std::string_view WithoutCr(std::string_view line)
    {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }
    std::string m_pending;
    bool m_hasPending = false;
};

template <class OnRecord> void RecordSplitter::Feed(std::string_view chunk, OnRecord&& onRecord)
{
    while (!chunk.empty()) {
        size_t lf = FindLineFeed(chunk);
        if (lf == std::string_view::npos) {
            m_pending.append(chunk);
            m_hasPending = true;
            return;
        }
        if (m_hasPending) {
            m_pending.append(chunk.substr(0, lf));
            onRecord(WithoutCr(m_pending));
            m_pending.clear();
            m_hasPending = false;
        } else {
            onRecord(WithoutCr(chunk.substr(0, lf)));
        }
        chunk.remove_prefix(lf + 1);
    }
}

template <class OnRecord> void RecordSplitter::Finish(OnRecord&& onRecord)
{
    // Text mode keeps a lone CR at the very end as data.
    if (m_hasPending)
        onRecord(std::string_view(m_pending));
    m_pending.clear();
    m_hasPending = false;
}

// Converts a stream chunk by chunk; the output of each chunk is appended to out.
class MasterStreamConverter {
public:
    explicit MasterStreamConverter(MasterRule rule) : m_rule(rule) {}
    void Feed(std::string_view chunk, std::string& out);
    void Finish(std::string& out);
    // The records the rule changed so far; with both rules, those the size rule changed.
    size_t ChangedRecords() const { return m_changed; }
    // The records the type rule changed, with both rules.
    size_t TypeChangedRecords() const { return m_typeChanged; }

private:
    void Write(std::string_view record, std::string& out);

    MasterRule m_rule;
    RecordSplitter m_splitter;
    size_t m_changed = 0;
    size_t m_typeChanged = 0;
};

// The whole conversion of a file's bytes, for callers that hold them in memory.
std::string ConvertMasterBytes(std::string_view bytes, MasterRule rule);
