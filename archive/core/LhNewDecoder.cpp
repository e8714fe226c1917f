#include "LhNewDecoder.h"

#include "BitReader.h"
#include "HuffmanTable.h"
#include "OutputWindow.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lzh {
namespace {

// Block layout:
//   16 bits  number of symbols in the block
//   temp table (lengths of the code-length code), literal/length table, offset table
//   symbols: 0-255 literal, 256-509 match of length symbol-253, followed by an offset code
constexpr int kCodeCount = 510;   // NC
constexpr int kCodeCountBits = 9; // CBIT
constexpr int kTempCount = 19;    // NT
constexpr int kTempBits = 5;      // TBIT
constexpr int kMatchBase = 253;
constexpr size_t kMaxMatch = 256;

// Copies a match that may overlap its own output, in words where the distance allows. Word copies may write
// up to 15 bytes past the match, into bytes not yet decoded or the window's slack.
inline void CopyMatch(uint8_t* to, const uint8_t* from, size_t len)
{
    size_t distance = static_cast<size_t>(to - from);
    if (distance >= 16) {
        // Most matches are short: the first copy needs no loop test.
        std::memcpy(to, from, 16);
        for (size_t k = 16; k < len; k += 16)
            std::memcpy(to + k, from + k, 16);
    } else if (distance >= 8) {
        for (size_t k = 0; k < len; k += 8)
            std::memcpy(to + k, from + k, 8);
    } else {
        for (size_t k = 0; k < len; ++k)
            to[k] = from[k];
    }
}

class LhNewDecoder : public Decoder {
public:
    explicit LhNewDecoder(int offsetBits)
        : m_offsetCount(offsetBits + 1), m_offsetBits(offsetBits <= 13 ? 4 : 5)
    {
    }

    DecodeStatus Decode(Reader& in, Sink& out, uint64_t length) override;

private:
    bool ReadBlockTables(BitReader& in);
    bool ReadLengths(BitReader& in, int count, int countBits, int special, HuffmanTable<8>& table);
    bool ReadCodeLengths(BitReader& in);
    DecodeStatus DecodeBlock(BitReader& in, OutputWindow& window, uint8_t* end, uint32_t& symbols);
    bool DecodeFast(BitCursor& in, uint8_t*& pos, uint8_t* stop, const uint8_t* start, uint32_t& symbols) const;

    int m_offsetCount; // NP
    int m_offsetBits;  // PBIT
    HuffmanTable<12> m_codes;
    HuffmanTable<8> m_temp;
    HuffmanTable<8> m_offsets;
    std::array<uint16_t, kCodeCount> m_lengths{};
};

// A length is 3 bits; 7 continues in unary: each further 1 bit adds one.
bool LhNewDecoder::ReadLengths(BitReader& in, int count, int countBits, int special, HuffmanTable<8>& table)
{
    int n = static_cast<int>(in.Bits(countBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.Bits(countBits));
        if (symbol >= count)
            return false;
        table.SetConstant(symbol);
        return true;
    }
    if (n > count)
        return false;
    std::fill(m_lengths.begin(), m_lengths.begin() + count, 0);
    int i = 0;
    while (i < n) {
        in.Refill();
        int len = static_cast<int>(in.Peek(3));
        if (len < 7) {
            in.Skip(3);
        } else {
            in.Skip(3);
            while (in.Take(1) == 1)
                if (++len > HuffmanTable<8>::kMaxLength)
                    return false;
        }
        m_lengths[i++] = static_cast<uint16_t>(len);
        if (i == special) {
            int zeros = static_cast<int>(in.Bits(2));
            if (i + zeros > count)
                return false;
            i += zeros;
        }
    }
    return table.Build(m_lengths.data(), count);
}

// Literal/length code lengths, themselves coded with the temp table; symbols 0-2 are runs of zero lengths.
bool LhNewDecoder::ReadCodeLengths(BitReader& in)
{
    int n = static_cast<int>(in.Bits(kCodeCountBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.Bits(kCodeCountBits));
        if (symbol >= kCodeCount)
            return false;
        m_codes.SetConstant(symbol);
        return true;
    }
    if (n > kCodeCount)
        return false;
    std::fill(m_lengths.begin(), m_lengths.end(), 0);
    int i = 0;
    while (i < n) {
        in.Refill();
        int c = m_temp.Decode(in);
        if (c < 0)
            return false;
        if (c > 2) {
            m_lengths[i++] = static_cast<uint16_t>(c - 2);
            continue;
        }
        int zeros = c == 0 ? 1 : c == 1 ? static_cast<int>(in.Bits(4)) + 3 : static_cast<int>(in.Bits(9)) + 20;
        if (i + zeros > kCodeCount)
            return false;
        i += zeros;
    }
    return m_codes.Build(m_lengths.data(), kCodeCount);
}

bool LhNewDecoder::ReadBlockTables(BitReader& in)
{
    return ReadLengths(in, kTempCount, kTempBits, 3, m_temp) && ReadCodeLengths(in) &&
           ReadLengths(in, m_offsetCount, m_offsetBits, -1, m_offsets);
}

// The hot loop: runs while a whole input word is buffered and a whole match fits before stop, so that it needs
// no other checks. One refill gives 56 bits, enough for a symbol (16), an offset code (16) and its extra bits
// (at most 19). False on a code or offset the data cannot have.
bool LhNewDecoder::DecodeFast(BitCursor& in, uint8_t*& pos, uint8_t* stop, const uint8_t* start,
                              uint32_t& symbols) const
{
    BitCursor bits = in;
    uint8_t* out = pos;
    uint32_t left = symbols;
    bool ok = true;
    while (left > 0 && out < stop && bits.HasWord()) {
        bits.RefillWord();
        int c = m_codes.Decode(bits);
        if (c < 256) {
            if (c < 0) {
                ok = false;
                break;
            }
            *out++ = static_cast<uint8_t>(c);
            --left;
            continue;
        }
        int p = m_offsets.Decode(bits);
        if (p < 0) {
            ok = false;
            break;
        }
        size_t distance = p <= 1 ? p : (size_t(1) << (p - 1)) + bits.Take(p - 1);
        if (distance >= static_cast<size_t>(out - start)) {
            ok = false;
            break;
        }
        size_t len = static_cast<size_t>(c - kMatchBase);
        CopyMatch(out, out - distance - 1, len);
        out += len;
        --left;
    }
    in = bits;
    pos = out;
    symbols = left;
    return ok;
}

// Decodes symbols until the block ends, the window needs a flush or `end` (the entry's end) is reached.
DecodeStatus LhNewDecoder::DecodeBlock(BitReader& in, OutputWindow& window, uint8_t* end, uint32_t& symbols)
{
    uint8_t* pos = window.Position();
    uint8_t* stop = std::min(end, window.Limit());
    const uint8_t* start = window.Start();
    // end lies at least a dictionary (8 KiB and more) past the buffer's start.
    if (!DecodeFast(in.Cursor(), pos, std::min(stop, end - kMaxMatch), start, symbols)) {
        window.SetPosition(pos);
        return DecodeStatus::Corrupt;
    }
    DecodeStatus status = DecodeStatus::Ok;
    while (symbols > 0 && pos < stop) {
        in.Refill();
        int c = m_codes.Decode(in);
        --symbols;
        if (c < 256) {
            if (c < 0) {
                status = DecodeStatus::Corrupt;
                break;
            }
            *pos++ = static_cast<uint8_t>(c);
            continue;
        }
        int p = m_offsets.Decode(in);
        if (p < 0) {
            status = DecodeStatus::Corrupt;
            break;
        }
        uint32_t distance = p <= 1 ? p : (1u << (p - 1)) + in.Take(p - 1);
        const uint8_t* from = pos - distance - 1;
        if (from < start) {
            status = DecodeStatus::Corrupt;
            break;
        }
        size_t len = std::min<size_t>(c - kMatchBase, end - pos);
        CopyMatch(pos, from, len);
        pos += len;
    }
    window.SetPosition(pos);
    return status;
}

DecodeStatus LhNewDecoder::Decode(Reader& input, Sink& out, uint64_t length)
{
    BitReader in(input);
    OutputWindow window(out, size_t(1) << (m_offsetCount - 1), ' ');
    uint32_t symbols = 0;
    while (length > 0) {
        if (symbols == 0) {
            if (in.Overrun())
                return DecodeStatus::Truncated;
            symbols = in.Bits(16);
            if (symbols == 0 || !ReadBlockTables(in))
                return in.Overrun() ? DecodeStatus::Truncated : DecodeStatus::Corrupt;
        }
        uint8_t* before = window.Position();
        // A match may run past the limit into the window's slack, but never past the entry's length.
        size_t room = static_cast<size_t>(window.Limit() - before) + 256;
        uint8_t* end = before + static_cast<size_t>(std::min<uint64_t>(length, room));
        DecodeStatus status = DecodeBlock(in, window, end, symbols);
        length -= static_cast<uint64_t>(window.Position() - before);
        if (status != DecodeStatus::Ok)
            return in.Overrun() ? DecodeStatus::Truncated : status;
        if (!window.FlushIfFull())
            return DecodeStatus::WriteFailed;
    }
    if (in.Overrun())
        return DecodeStatus::Truncated;
    return window.FlushAll() ? DecodeStatus::Ok : DecodeStatus::WriteFailed;
}

}

std::unique_ptr<Decoder> MakeLhNewDecoder(int offsetBits)
{
    return std::make_unique<LhNewDecoder>(offsetBits);
}

}
