#include "Lh1Decoder.h"

#include "AdaptiveHuffman.h"
#include "BitReader.h"
#include "RingWindow.h"

#include <array>

namespace lzh {
namespace {

constexpr int kMatchBase = 253; // symbol 256 is a match of 3 bytes

// Match offsets: the upper 6 bits by a fixed code (lengths 3 to 8 bits), the lower 6 bits plain.
struct OffsetCode {
    std::array<uint8_t, 256> upper{};
    std::array<uint8_t, 256> length{};
    OffsetCode()
    {
        // Code lengths 3..8 bits cover 1, 3, 8, 12, 24 and 16 upper values.
        const int counts[6] = {1, 3, 8, 12, 24, 16};
        int index = 0;
        int value = 0;
        for (int len = 3; len <= 8; ++len) {
            for (int n = 0; n < counts[len - 3]; ++n, ++value) {
                int span = 1 << (8 - len);
                for (int k = 0; k < span; ++k, ++index) {
                    upper[index] = static_cast<uint8_t>(value);
                    length[index] = static_cast<uint8_t>(len);
                }
            }
        }
    }
};

const OffsetCode kOffsetCode;

class Lh1Decoder : public Decoder {
public:
    DecodeStatus Decode(ByteReader& input, ByteSink& out, uint64_t length) override
    {
        BitReader in(input);
        AdaptiveHuffman tree;
        RingWindow ring(out, 4096, ' ');
        return DecodeIntoRing(in, ring, length, [&](uint64_t left) -> uint64_t {
            int c = tree.Decode(in);
            if (c < 256) {
                ring.Put(static_cast<uint8_t>(c));
                return 1;
            }
            in.Refill();
            uint32_t head = in.Peek(8);
            in.Skip(kOffsetCode.length[head]);
            uint32_t offset = (kOffsetCode.upper[head] << 6) | in.Take(6);
            return ring.CopyMatch(ring.Position() - offset - 1, c - kMatchBase, left);
        });
    }
};

}

std::unique_ptr<Decoder> MakeLh1Decoder()
{
    return std::make_unique<Lh1Decoder>();
}

}
