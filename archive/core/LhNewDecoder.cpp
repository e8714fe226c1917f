#include "LhNewDecoder.h"

#include "BitReader.h"
#include "HuffmanTable.h"
#include "LhNewFormat.h"
#include "OutputWindow.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lzh {
namespace {

using lhnew::kCodeCount;
using lhnew::kCodeCountBits;
using lhnew::kMatchBase;
using lhnew::kTempBits;
using lhnew::kTempCount;
constexpr size_t kMaxMatch = lhnew::kMaxMatch;
// Input bytes kept buffered ahead of the fast loop, so that it rarely stops for lack of a whole word.
constexpr size_t kInputReserve = 4096;

// Through a temporary: a literal step copies bytes onto themselves.
inline void Copy16(uint8_t* to, const uint8_t* from)
{
    uint8_t word[16];
    std::memcpy(word, from, 16);
    std::memcpy(to, word, 16);
}
inline void Copy8(uint8_t* to, const uint8_t* from) { std::memcpy(to, from, 8); }

// Copies a match that starts `distance` (>= 1) bytes back and may overlap its own output. Word copies write up
// to 32 bytes past the match's end, into bytes not yet decoded or the window's slack.
inline void CopyMatch(uint8_t* to, size_t distance, size_t len)
{
    const uint8_t* from = to - distance;
    if (distance >= 16) {
        // Nearly every match is at most 32 bytes: two copies and no loop test.
        Copy16(to, from);
        Copy16(to + 16, from + 16);
        for (size_t k = 32; k < len; k += 16)
            Copy16(to + k, from + k);
        return;
    }
    if (distance >= 8) {
        for (size_t k = 0; k < len; k += 8)
            Copy8(to + k, from + k);
        return;
    }
    // A short repeating pattern: lay down its first 8 bytes, then copy words from a whole number of periods
    // back, at least 8 bytes, so that no word overlaps its own source.
    static constexpr uint8_t kStride[8] = {0, 8, 8, 9, 8, 10, 12, 14};
    for (size_t k = 0; k < 8; ++k)
        to[k] = from[k];
    size_t stride = kStride[distance];
    for (size_t k = 8; k < len; k += 8)
        Copy8(to + k, to + k - stride);
}

// Offset codes decode to how far back a match starts and how many extra bits follow: code p (p >= 2) means
// 2^(p-1) + (p-1 bits) + 1 bytes back, codes 0 and 1 mean 1 and 2.
constexpr uint32_t OffsetValue(uint32_t p)
{
    return p <= 1 ? (p + 1) << 5 : ((1u << (p - 1)) + 1) << 5 | (p - 1);
}

inline size_t TakeDistance(BitCursor& in, uint32_t value)
{
    return (value >> 5) + in.Take(static_cast<int>(value & 31));
}

// The fast loop looks up 11 bits at once in a table that holds, where both codes fit, two literals or a match
// length with its offset code: the offset lookup no longer waits for the length code's bits to shift out.
// Every field the loop needs is ready in the entry, so that literals and matches run the same steps.
//   bits 0-4    bits the step takes: the codes and the offset's extra bits
//   bit 6       the offset code, or the whole symbol (bit 7: a code longer than the lookup), is still to read
//   bits 8-9    symbols taken: 1, or 2 literals
//   bits 10-14  the offset's extra bits, the last ones taken
//   bits 16-31  the literals, whose distance is 0 (a match's zeros are stored too, then overwritten)
//   bits 32-40  bytes written: the match length, or 1 or 2 literals
//   bits 44-63  the match distance without its extra bits
constexpr int kFastBits = 11;
constexpr uint64_t kToRead = 1u << 6;
constexpr uint64_t kLongCode = kToRead | 1u << 7;

constexpr uint64_t FastEntry(uint32_t bits, uint32_t symbols, uint64_t written)
{
    return bits | symbols << 8 | written << 32;
}

inline void Store16(uint8_t* to, uint32_t value)
{
    uint16_t v = static_cast<uint16_t>(value);
    std::memcpy(to, &v, 2);
}

class LhNewDecoder : public Decoder {
public:
    explicit LhNewDecoder(int offsetBits)
        : m_offsetCount(offsetBits + 1), m_offsetBits(offsetBits <= 13 ? 4 : 5)
    {
        for (uint32_t p = 0; p < m_offsetValues.size(); ++p)
            m_offsetValues[p] = OffsetValue(p);
    }

    DecodeStatus Decode(ByteReader& in, ByteSink& out, uint64_t length) override;

private:
    bool ReadBlockTables(BitReader& in);
    bool ReadLengths(BitReader& in, int count, int countBits, int special, HuffmanTable<8>& table,
                     const uint32_t* values);
    bool ReadCodeLengths(BitReader& in);
    void BuildFastTable();
    DecodeStatus DecodeBlock(BitReader& in, OutputWindow& window, uint8_t* end, uint32_t& symbols);
    // Kept apart so that the hot loop has the registers to itself.
    [[gnu::noinline]] bool DecodeFast(BitCursor& in, uint8_t*& pos, uint8_t* stop, const uint8_t* start,
                                      uint32_t& symbols) const;

    int m_offsetCount; // NP
    int m_offsetBits;  // PBIT
    HuffmanTable<8> m_codes; // for the checked path and long codes; the fast loop has m_fast
    HuffmanTable<8> m_temp;
    HuffmanTable<8> m_offsets;
    std::array<uint16_t, kCodeCount> m_lengths{};
    std::array<uint32_t, 21> m_offsetValues{};
    std::array<uint64_t, size_t(1) << kFastBits> m_fast{};
};

// A length is 3 bits; 7 continues in unary: each further 1 bit adds one.
bool LhNewDecoder::ReadLengths(BitReader& in, int count, int countBits, int special, HuffmanTable<8>& table,
                               const uint32_t* values)
{
    int n = static_cast<int>(in.Bits(countBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.Bits(countBits));
        if (symbol >= count)
            return false;
        table.SetConstant(values ? values[symbol] : static_cast<uint32_t>(symbol));
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
    return table.Build(m_lengths.data(), count, values);
}

// Literal/length code lengths, themselves coded with the temp table; symbols 0-2 are runs of zero lengths.
bool LhNewDecoder::ReadCodeLengths(BitReader& in)
{
    int n = static_cast<int>(in.Bits(kCodeCountBits));
    if (n == 0) {
        int symbol = static_cast<int>(in.Bits(kCodeCountBits));
        if (symbol >= kCodeCount)
            return false;
        m_codes.SetConstant(static_cast<uint32_t>(symbol));
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
    if (!ReadLengths(in, kTempCount, kTempBits, 3, m_temp, nullptr) || !ReadCodeLengths(in) ||
        !ReadLengths(in, m_offsetCount, m_offsetBits, -1, m_offsets, m_offsetValues.data()))
        return false;
    BuildFastTable();
    return true;
}

// Each short code covers a run of entries; within it, the second codes that fit in the remaining bits cover a
// run from its start, as canonical codes count up from 0. Only the short codes are walked, never all pairs.
void LhNewDecoder::BuildFastTable()
{
    uint64_t* table = m_fast.data();
    uint32_t filled = 0;
    for (const auto& first : m_codes.Codes()) {
        int rest = kFastBits - first.length;
        if (rest < 0)
            break;
        uint64_t* run = table + (uint32_t(first.bits) << rest);
        uint32_t size = 1u << rest;
        uint64_t alone;
        uint32_t done = 0;
        if (first.value < 256) {
            alone = FastEntry(first.length, 1, 1) | first.value << 16;
            for (const auto& second : m_codes.Codes()) {
                if (second.length > rest)
                    break;
                uint32_t n = 1u << (rest - second.length);
                uint64_t entry = second.value < 256 ? FastEntry(first.length + second.length, 2, 2) |
                                                          first.value << 16 | second.value << 24
                                                    : alone;
                std::fill(run + done, run + done + n, entry);
                done += n;
            }
        } else {
            uint64_t len = first.value - kMatchBase;
            alone = FastEntry(first.length, 1, len) | kToRead;
            for (const auto& second : m_offsets.Codes()) {
                if (second.length > rest)
                    break;
                uint32_t n = 1u << (rest - second.length);
                uint32_t extra = second.value & 31;
                uint64_t base = second.value >> 5;
                uint64_t entry = FastEntry(first.length + second.length + extra, 1, len) | uint64_t(extra) << 10 |
                                 base << 44;
                std::fill(run + done, run + done + n, entry);
                done += n;
            }
        }
        std::fill(run + done, run + size, alone);
        filled = static_cast<uint32_t>(run - table) + size;
    }
    std::fill(table + filled, table + m_fast.size(), kLongCode);
}

// The hot loop. It runs in batches of steps that provably need no checks but the match distance: each step
// takes one word refill (at most 7 input bytes; 56 bits cover a symbol (16), an offset code (16) and its extra
// bits (at most 19)), at most two symbols, and writes at most one whole match before stop. False on a code or
// offset the data cannot have.
bool LhNewDecoder::DecodeFast(BitCursor& in, uint8_t*& pos, uint8_t* stop, const uint8_t* start,
                              uint32_t& symbols) const
{
    // Plain locals, never addressed, so that the bit buffer stays in registers; the rare paths work on a copy.
    uint64_t bits = in.bits;
    unsigned count = static_cast<unsigned>(in.count);
    const uint8_t* next = in.next;
    uint8_t* out = pos;
    uint32_t left = symbols;
    const uint64_t* table = m_fast.data();
    // Distances need no check in the loop: the largest an offset code gives is the dictionary size, and the
    // window always holds a whole dictionary before the position.
    if (static_cast<size_t>(out - start) < (size_t(1) << (m_offsetCount - 1)))
        return false;
    bool ok = true;
    for (;;) {
        BitCursor words{bits, static_cast<int>(count), next, in.end};
        size_t room = out < stop ? static_cast<size_t>(stop - out + kMaxMatch - 1) / kMaxMatch : 0;
        // A step may take two literals, so that a batch never runs past the block's last symbol.
        size_t batch = std::min({size_t(left / 2), room, words.WordsLeft()});
        if (batch == 0)
            break;
        do {
            uint64_t word;
            std::memcpy(&word, next, 8);
            bits |= __builtin_bswap64(word) >> count;
            next += (63 - count) >> 3;
            count |= 56;

            uint64_t e = table[bits >> (64 - kFastBits)];
            if (e & kToRead) {
                bits <<= e & 31;
                count -= e & 31;
                BitCursor rare{bits, static_cast<int>(count), nullptr, nullptr};
                int c = (e & kLongCode) == kLongCode ? m_codes.Decode(rare) : static_cast<int>(e >> 32) + kMatchBase;
                if (c < 0) {
                    ok = false;
                    break;
                }
                size_t distance = 0;
                if (c >= 256) {
                    int value = m_offsets.Decode(rare);
                    if (value < 0) {
                        ok = false;
                        break;
                    }
                    distance = TakeDistance(rare, static_cast<uint32_t>(value));
                }
                bits = rare.bits;
                count = static_cast<unsigned>(rare.count);
                --left;
                if (c < 256) {
                    *out++ = static_cast<uint8_t>(c);
                    continue;
                }
                size_t len = static_cast<size_t>(c - kMatchBase);
                CopyMatch(out, distance, len);
                out += len;
                continue;
            }
            // One shift takes the codes and the extra bits; the extra bits are the last of them.
            unsigned taken = e & 31;
            unsigned extra = (e >> 10) & 31;
            size_t distance = (e >> 44) + static_cast<size_t>(((bits >> 1) >> (63 - taken)) & ((1u << extra) - 1));
            bits <<= taken;
            count -= taken;
            // Literal or match alike, without a branch on which it is (that branch mispredicted a third of the
            // time): the literal bytes go to out first, then a literal's distance 0 copies them onto themselves,
            // while a match overwrites them.
            size_t len = static_cast<size_t>(e >> 32) & 511;
            Store16(out, static_cast<uint32_t>(e >> 16));
            if (distance - 1 < 15) { // 1 to 15; a literal's 0 wraps round to the word copies
                CopyMatch(out, distance, len);
            } else {
                const uint8_t* from = out - distance;
                Copy16(out, from);
                Copy16(out + 16, from + 16);
                for (size_t k = 32; k < len; k += 16)
                    Copy16(out + k, from + k);
            }
            out += len;
            left -= (e >> 8) & 3;
        } while (--batch > 0);
        if (!ok)
            break;
    }
    in.bits = bits;
    in.count = static_cast<int>(count);
    in.next = next;
    pos = out;
    symbols = left;
    return ok;
}

// Decodes symbols until the block ends, the window needs a flush or `end` (the entry's end) is reached. Symbols
// the fast loop cannot prove safe (near stop, near the input's end) go one at a time with checks.
DecodeStatus LhNewDecoder::DecodeBlock(BitReader& in, OutputWindow& window, uint8_t* end, uint32_t& symbols)
{
    uint8_t* pos = window.Position();
    uint8_t* stop = std::min(end, window.Limit());
    const uint8_t* start = window.Start();
    // end lies at least a dictionary (8 KiB and more) past the buffer's start.
    uint8_t* fastStop = std::min(stop, end - kMaxMatch);
    DecodeStatus status = DecodeStatus::Ok;
    while (symbols > 0 && pos < stop) {
        in.Reserve(kInputReserve);
        if (!DecodeFast(in.Cursor(), pos, fastStop, start, symbols)) {
            status = DecodeStatus::Corrupt;
            break;
        }
        if (symbols == 0 || pos >= stop)
            break;
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
        size_t distance = TakeDistance(in.Cursor(), static_cast<uint32_t>(p));
        if (distance > static_cast<size_t>(pos - start)) {
            status = DecodeStatus::Corrupt;
            break;
        }
        size_t len = std::min<size_t>(c - kMatchBase, end - pos);
        CopyMatch(pos, distance, len);
        pos += len;
    }
    window.SetPosition(pos);
    return status;
}

DecodeStatus LhNewDecoder::Decode(ByteReader& input, ByteSink& out, uint64_t length)
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
