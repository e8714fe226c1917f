#include "LhNewEncoder.h"

#include "BitWriter.h"
#include "HuffmanCode.h"
#include "LhNewFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace lzh {
namespace {

using lhnew::kCodeCount;
using lhnew::kCodeCountBits;
using lhnew::kTempBits;
using lhnew::kTempCount;
constexpr uint32_t kMinMatch = lhnew::kMinMatch;
constexpr uint32_t kMaxMatch = lhnew::kMaxMatch;
// A block counts its symbols in 16 bits.
constexpr size_t kBlockSymbols = 0xFFFF;
// Bytes kept ahead of the coding position, so that a match can run to its longest.
constexpr uint32_t kLookahead = kMaxMatch + 1;
// The window buffer; it slides by all but the dictionary when full, so the sliding costs little. A member known
// to be smaller gets a buffer (and hash tables) of its own size: small members, as the fuzzer makes by the
// thousand, need not clear megabytes first.
constexpr uint32_t kMaxBufferSize = 1u << 20;
constexpr uint32_t kSlack = kMaxMatch + 16; // match comparison reads whole words past the end
constexpr int kMaxHashBits = 16;
constexpr uint32_t kNoPosition = 0;

// How hard the match finder looks: chain steps (more for the larger dictionaries, where deeper chains still
// find longer matches: measured on bench/archive's text against jlha's sizes), the length that cuts the
// chain to a quarter (lazy search) and the length that ends the search.
constexpr uint32_t ChainSteps(int dictionaryBits) { return dictionaryBits <= 13 ? 96 : 192; }
constexpr uint32_t kGoodLength = 32;
constexpr uint32_t kNiceLength = 256;
// A three-byte match further back than this costs more bits than its three literals.
constexpr uint32_t kTooFarForThree = 4096;

inline uint32_t Hash3(const uint8_t* p, int shift)
{
    uint32_t v = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    return (v * 2654435761u) >> shift;
}

inline uint32_t Hash4(const uint8_t* p, int shift)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 2654435761u) >> shift;
}

uint32_t BufferSizeFor(int dictionaryBits, uint64_t sizeHint)
{
    // Room for the whole member (coding starts at 1), or else enough for sliding to make progress.
    uint64_t least = (uint64_t(2) << dictionaryBits) + 2 * kLookahead;
    if (sizeHint == 0 || sizeHint + 1 >= kMaxBufferSize)
        return kMaxBufferSize;
    return static_cast<uint32_t>(std::max(least, sizeHint + 1));
}

int HashBitsFor(uint64_t sizeHint)
{
    int bits = 10;
    while (bits < kMaxHashBits && (sizeHint == 0 || (uint64_t(1) << bits) < sizeHint))
        ++bits;
    return bits;
}

inline int BitLength(uint32_t v)
{
    int n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

}

class LhNewEncoder::Impl {
public:
    Impl(int dictionaryBits, ByteSink& out, uint64_t sizeHint)
        : m_bits(out),
          m_maxDistance((1u << dictionaryBits) - 1),
          m_dictMask((1u << dictionaryBits) - 1),
          m_chainSteps(ChainSteps(dictionaryBits)),
          m_bufferSize(BufferSizeFor(dictionaryBits, sizeHint)),
          m_hashShift(32 - HashBitsFor(sizeHint)),
          m_offsetCount(dictionaryBits + 1),
          m_offsetCountBits(dictionaryBits <= 13 ? 4 : 5),
          m_window(m_bufferSize + kSlack, 0),
          m_head(size_t(1) << (32 - m_hashShift), kNoPosition),
          m_head3(size_t(1) << (32 - m_hashShift), kNoPosition),
          m_prev(size_t(1) << dictionaryBits, kNoPosition),
          m_symbols(kBlockSymbols),
          m_offsets(kBlockSymbols)
    {
        // Position 0 stands for "none" in the chains: coding starts at 1.
        m_pos = m_end = 1;
    }

    bool Write(const uint8_t* data, size_t size)
    {
        while (size > 0 && !m_bits.Failed()) {
            if (m_end == m_bufferSize)
                Slide();
            size_t n = std::min<size_t>(size, m_bufferSize - m_end);
            std::memcpy(&m_window[m_end], data, n);
            m_end += static_cast<uint32_t>(n);
            data += n;
            size -= n;
            Compress(false);
        }
        return !m_bits.Failed();
    }

    bool Finish()
    {
        Compress(true);
        if (m_matchPending)
            EmitLiteral(m_window[m_pos - 1]);
        m_matchPending = false;
        SendBlock();
        return m_bits.Flush();
    }

private:
    // Keeps the dictionary before the coding position and moves every stored position down with it.
    void Slide()
    {
        uint32_t keep = m_maxDistance + 2; // the dictionary and the pending lazy position
        uint32_t delta = m_pos - keep;
        std::memmove(&m_window[0], &m_window[delta], m_end - delta);
        m_pos -= delta;
        m_end -= delta;
        auto rebase = [delta](uint32_t& p) { p = p > delta ? p - delta : kNoPosition; };
        std::for_each(m_head.begin(), m_head.end(), rebase);
        std::for_each(m_head3.begin(), m_head3.end(), rebase);
        rebase(m_nearest3);
        std::for_each(m_prev.begin(), m_prev.end(), rebase);
    }

    // The chains link positions of equal 4-byte hashes, so that they hold few candidates that cannot reach
    // four bytes; the nearest earlier position of the same 3 bytes is kept apart for three-byte matches.
    void Insert(uint32_t pos)
    {
        uint32_t& head = m_head[Hash4(&m_window[pos], m_hashShift)];
        m_prev[pos & m_dictMask] = head;
        head = pos;
        uint32_t& head3 = m_head3[Hash3(&m_window[pos], m_hashShift)];
        m_nearest3 = head3;
        head3 = pos;
    }

    // Longest match at pos longer than `better`, from the chain that Insert(pos) has just extended.
    uint32_t LongestMatch(uint32_t pos, uint32_t better, uint32_t& distance) const
    {
        uint32_t maxLength = std::min(kMaxMatch, m_end - pos);
        if (maxLength < kMinMatch)
            return 0;
        uint32_t limit = pos > m_maxDistance ? pos - m_maxDistance : kNoPosition;
        uint32_t chain = better >= kGoodLength ? m_chainSteps / 4 : m_chainSteps;
        uint32_t best = std::max(better, kMinMatch - 1);
        uint32_t bestLength = 0;
        const uint8_t* scan = &m_window[pos];
        uint32_t candidate = m_prev[pos & m_dictMask];
        while (candidate > limit && chain-- > 0) {
            const uint8_t* match = &m_window[candidate];
            if (best < maxLength && match[best] == scan[best] && match[0] == scan[0] && match[1] == scan[1]) {
                uint32_t length = MatchLength(scan, match, maxLength);
                if (length > best) {
                    best = bestLength = length;
                    distance = pos - candidate;
                    if (length >= std::min(kNiceLength, maxLength))
                        break;
                }
            }
            candidate = m_prev[candidate & m_dictMask];
        }
        if (bestLength == 0 && best < kMinMatch && m_nearest3 > limit && pos - m_nearest3 <= kTooFarForThree) {
            const uint8_t* match = &m_window[m_nearest3];
            if (match[0] == scan[0] && match[1] == scan[1] && match[2] == scan[2]) {
                bestLength = kMinMatch;
                distance = pos - m_nearest3;
            }
        }
        return bestLength;
    }

    static uint32_t MatchLength(const uint8_t* a, const uint8_t* b, uint32_t maxLength)
    {
        uint32_t n = 0;
        while (n < maxLength) {
            uint64_t x, y;
            std::memcpy(&x, a + n, 8);
            std::memcpy(&y, b + n, 8);
            uint64_t diff = x ^ y;
            if (diff != 0)
                return std::min(maxLength, n + static_cast<uint32_t>(__builtin_ctzll(diff) >> 3));
            n += 8;
        }
        return maxLength;
    }

    // Lazy matching, as deflate does it: a match found at one position is held back while the next position
    // offers a longer one.
    void Compress(bool flush)
    {
        while (m_pos < m_end && (flush || m_end - m_pos >= kLookahead)) {
            if (m_bits.Failed())
                return;
            uint32_t length = 0, distance = 0;
            bool canHash = m_end - m_pos >= 4;
            if (canHash) {
                Insert(m_pos);
                if (m_pendingLength < kNiceLength)
                    length = LongestMatch(m_pos, m_pendingLength, distance);
                if (length == kMinMatch && distance > kTooFarForThree)
                    length = 0;
            }
            if (m_matchPending && m_pendingLength >= kMinMatch && length <= m_pendingLength) {
                EmitMatch(m_pendingLength, m_pendingDistance);
                // The match began at m_pos - 1; its positions after m_pos go into the chains too.
                uint32_t end = m_pos - 1 + m_pendingLength;
                for (uint32_t p = m_pos + 1; p < end; ++p)
                    if (m_end - p >= 4)
                        Insert(p);
                m_pos = end;
                m_matchPending = false;
                m_pendingLength = 0;
                continue;
            }
            if (m_matchPending)
                EmitLiteral(m_window[m_pos - 1]);
            m_matchPending = true;
            m_pendingLength = length;
            m_pendingDistance = distance;
            ++m_pos;
        }
    }

    void EmitLiteral(uint8_t c)
    {
        m_symbols[m_count] = c;
        ++m_codeFreq[c];
        if (++m_count == kBlockSymbols)
            SendBlock();
    }

    void EmitMatch(uint32_t length, uint32_t distance)
    {
        uint16_t code = static_cast<uint16_t>(length + lhnew::kMatchBase);
        uint32_t offset = distance - 1;
        m_symbols[m_count] = code;
        m_offsets[m_count] = static_cast<uint16_t>(offset);
        ++m_codeFreq[code];
        ++m_offsetFreq[BitLength(offset)];
        if (++m_count == kBlockSymbols)
            SendBlock();
    }

    // Frequencies of the temp-table symbols that send the code lengths: 0-2 are runs of zero lengths (one;
    // 3-18 with 4 more bits; 20 on with 9 more bits), 3-18 the lengths 1-16.
    int CountTempFrequencies(std::array<uint32_t, kTempCount>& freq) const
    {
        int n = kCodeCount;
        while (n > 0 && m_codeLengths[n - 1] == 0)
            --n;
        for (int i = 0; i < n;) {
            int k = m_codeLengths[i++];
            if (k != 0) {
                ++freq[k + 2];
                continue;
            }
            int run = 1;
            while (i < n && m_codeLengths[i] == 0) {
                ++i;
                ++run;
            }
            if (run <= 2)
                freq[0] += run;
            else if (run <= 18)
                ++freq[1];
            else if (run == 19) {
                ++freq[0];
                ++freq[1];
            } else
                ++freq[2];
        }
        return n;
    }

    // Lengths of the temp or offset table: 3 bits, 7 and more as 7 then one 1 bit per further step and a 0.
    // After the `special`-th length, 2 bits skip up to three zero lengths.
    void WriteLengths(const uint8_t* lengths, int count, int countBits, int special)
    {
        int n = count;
        while (n > 0 && lengths[n - 1] == 0)
            --n;
        m_bits.Put(countBits, static_cast<uint32_t>(n));
        for (int i = 0; i < n;) {
            int k = lengths[i++];
            if (k <= 6)
                m_bits.Put(3, static_cast<uint32_t>(k));
            else
                m_bits.Put(k - 3, (1u << (k - 3)) - 2);
            if (i == special) {
                int start = i;
                while (i < 6 && lengths[i] == 0)
                    ++i;
                m_bits.Put(2, static_cast<uint32_t>(i - start));
            }
        }
    }

    void WriteCodeLengths(int n, const uint8_t* tempLengths, const uint16_t* tempCodes)
    {
        m_bits.Put(kCodeCountBits, static_cast<uint32_t>(n));
        auto put = [&](int t) { m_bits.Put(tempLengths[t], tempCodes[t]); };
        for (int i = 0; i < n;) {
            int k = m_codeLengths[i++];
            if (k != 0) {
                put(k + 2);
                continue;
            }
            int run = 1;
            while (i < n && m_codeLengths[i] == 0) {
                ++i;
                ++run;
            }
            if (run <= 2) {
                for (int r = 0; r < run; ++r)
                    put(0);
            } else if (run <= 18) {
                put(1);
                m_bits.Put(4, static_cast<uint32_t>(run - 3));
            } else if (run == 19) {
                put(0);
                put(1);
                m_bits.Put(4, 15);
            } else {
                put(2);
                m_bits.Put(kCodeCountBits, static_cast<uint32_t>(run - 20));
            }
        }
    }

    void SendCodeTable()
    {
        int used = BuildCodeLengths(m_codeFreq.data(), kCodeCount, m_codeLengths.data());
        if (used < 2) {
            // One symbol only: an empty temp table and the symbol as a constant.
            int symbol = static_cast<int>(std::find_if(m_codeFreq.begin(), m_codeFreq.end(),
                                                       [](uint32_t f) { return f != 0; }) - m_codeFreq.begin());
            m_bits.Put(kTempBits, 0);
            m_bits.Put(kTempBits, 0);
            m_bits.Put(kCodeCountBits, 0);
            m_bits.Put(kCodeCountBits, static_cast<uint32_t>(symbol));
            m_codeCodes.fill(0);
            return;
        }
        BuildCanonicalCodes(m_codeLengths.data(), kCodeCount, m_codeCodes.data());
        std::array<uint32_t, kTempCount> tempFreq{};
        int n = CountTempFrequencies(tempFreq);
        std::array<uint8_t, kTempCount> tempLengths{};
        std::array<uint16_t, kTempCount> tempCodes{};
        if (BuildCodeLengths(tempFreq.data(), kTempCount, tempLengths.data()) < 2) {
            int symbol = static_cast<int>(std::find_if(tempFreq.begin(), tempFreq.end(),
                                                       [](uint32_t f) { return f != 0; }) - tempFreq.begin());
            m_bits.Put(kTempBits, 0);
            m_bits.Put(kTempBits, static_cast<uint32_t>(symbol));
        } else {
            BuildCanonicalCodes(tempLengths.data(), kTempCount, tempCodes.data());
            WriteLengths(tempLengths.data(), kTempCount, kTempBits, 3);
        }
        WriteCodeLengths(n, tempLengths.data(), tempCodes.data());
    }

    void SendOffsetTable()
    {
        int used = BuildCodeLengths(m_offsetFreq.data(), m_offsetCount, m_offsetLengths.data());
        if (used < 2) {
            int symbol = used == 0 ? 0 : static_cast<int>(std::find_if(m_offsetFreq.begin(), m_offsetFreq.end(),
                                                       [](uint32_t f) { return f != 0; }) - m_offsetFreq.begin());
            m_bits.Put(m_offsetCountBits, 0);
            m_bits.Put(m_offsetCountBits, static_cast<uint32_t>(symbol));
            m_offsetCodes.fill(0);
            return;
        }
        BuildCanonicalCodes(m_offsetLengths.data(), m_offsetCount, m_offsetCodes.data());
        WriteLengths(m_offsetLengths.data(), m_offsetCount, m_offsetCountBits, -1);
    }

    void SendBlock()
    {
        if (m_count == 0)
            return;
        m_bits.Put(16, static_cast<uint32_t>(m_count));
        SendCodeTable();
        SendOffsetTable();
        for (size_t i = 0; i < m_count; ++i) {
            uint16_t c = m_symbols[i];
            m_bits.Put(m_codeLengths[c], m_codeCodes[c]);
            if (c < 256)
                continue;
            uint32_t offset = m_offsets[i];
            int p = BitLength(offset);
            m_bits.Put(m_offsetLengths[p], m_offsetCodes[p]);
            if (p > 1)
                m_bits.Put(p - 1, offset);
        }
        m_count = 0;
        m_codeFreq.fill(0);
        m_offsetFreq.fill(0);
    }

    BitWriter m_bits;
    uint32_t m_maxDistance;
    uint32_t m_dictMask;
    uint32_t m_chainSteps;
    uint32_t m_bufferSize;
    int m_hashShift;
    int m_offsetCount;     // NP
    int m_offsetCountBits; // PBIT
    std::vector<uint8_t> m_window;
    std::vector<uint32_t> m_head;
    std::vector<uint32_t> m_head3;
    uint32_t m_nearest3 = kNoPosition; // set by Insert for the position it inserted
    std::vector<uint32_t> m_prev;
    uint32_t m_pos = 0; // next position to code
    uint32_t m_end = 0; // end of the bytes in the window
    bool m_matchPending = false; // the byte at m_pos - 1 is not coded yet
    uint32_t m_pendingLength = 0, m_pendingDistance = 0;

    std::vector<uint16_t> m_symbols;
    std::vector<uint16_t> m_offsets;
    size_t m_count = 0;
    std::array<uint32_t, kCodeCount> m_codeFreq{};
    std::array<uint8_t, kCodeCount> m_codeLengths{};
    std::array<uint16_t, kCodeCount> m_codeCodes{};
    std::array<uint32_t, 17> m_offsetFreq{};
    std::array<uint8_t, 17> m_offsetLengths{};
    std::array<uint16_t, 17> m_offsetCodes{};
};

LhNewEncoder::LhNewEncoder(int dictionaryBits, ByteSink& out, uint64_t sizeHint)
    : m_impl(std::make_unique<Impl>(dictionaryBits, out, sizeHint))
{
}
LhNewEncoder::~LhNewEncoder() = default;
bool LhNewEncoder::Write(const uint8_t* data, size_t size) { return m_impl->Write(data, size); }
bool LhNewEncoder::Finish() { return m_impl->Finish(); }

}
