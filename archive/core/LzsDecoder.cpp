#include "LzsDecoder.h"

#include "BitReader.h"
#include "RingWindow.h"

namespace lzh {
namespace {

// -lzs-: a 1 bit is followed by an 8-bit literal; a 0 bit by an 11-bit ring position and a 4-bit length - 2.
class LzsDecoder : public Decoder {
public:
    DecodeStatus Decode(ByteReader& input, ByteSink& out, uint64_t length) override
    {
        BitReader in(input);
        RingWindow ring(out, 2048, ' ');
        ring.SetPosition(2048 - 17);
        return DecodeIntoRing(in, ring, length, [&](uint64_t left) -> uint64_t {
            in.Refill();
            if (in.Take(1)) {
                ring.Put(static_cast<uint8_t>(in.Take(8)));
                return 1;
            }
            size_t from = in.Take(11);
            return ring.CopyMatch(from, in.Take(4) + 2, left);
        });
    }
};

// -lz5-: a flag byte (low bit first) says for each of eight items whether it is a literal byte (1) or a
// two-byte match: position low 8 bits, then position high 4 bits and length - 3.
class Lz5Decoder : public Decoder {
public:
    DecodeStatus Decode(ByteReader& input, ByteSink& out, uint64_t length) override
    {
        BitReader in(input);
        RingWindow ring(out, 4096, ' ');
        Preset(ring);
        ring.SetPosition(4096 - 18);
        unsigned flags = 0;
        return DecodeIntoRing(in, ring, length, [&](uint64_t left) -> uint64_t {
            in.Refill();
            if ((flags & 0x100) == 0)
                flags = in.Take(8) | 0xFF00;
            bool literal = flags & 1;
            flags >>= 1;
            if (literal) {
                ring.Put(static_cast<uint8_t>(in.Take(8)));
                return 1;
            }
            uint32_t low = in.Take(8);
            uint32_t high = in.Take(8);
            return ring.CopyMatch(low | ((high & 0xF0) << 4), (high & 0x0F) + 3, left);
        });
    }

private:
    // The dictionary LArc starts from: runs of each byte value, ascending and descending sequences, 128
    // zeros, 110 spaces and 18 zeros.
    static void Preset(RingWindow& ring)
    {
        size_t pos = 0;
        for (int value = 0; value < 256; ++value)
            for (int k = 0; k < 13; ++k)
                ring.At(pos++) = static_cast<uint8_t>(value);
        for (int value = 0; value < 256; ++value)
            ring.At(pos++) = static_cast<uint8_t>(value);
        for (int value = 255; value >= 0; --value)
            ring.At(pos++) = static_cast<uint8_t>(value);
        for (int k = 0; k < 128; ++k)
            ring.At(pos++) = 0;
        for (int k = 0; k < 110; ++k)
            ring.At(pos++) = ' ';
        for (int k = 0; k < 18; ++k)
            ring.At(pos++) = 0;
    }
};

}

std::unique_ptr<Decoder> MakeLzsDecoder()
{
    return std::make_unique<LzsDecoder>();
}

std::unique_ptr<Decoder> MakeLz5Decoder()
{
    return std::make_unique<Lz5Decoder>();
}

}
