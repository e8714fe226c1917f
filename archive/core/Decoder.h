#pragma once
// One decoder per compression method. Decode produces exactly `length` bytes into the sink or fails.

#include "ByteSink.h"
#include "Reader.h"

#include <cstdint>

namespace lzh {

enum class DecodeStatus { Ok, Corrupt, Truncated, WriteFailed };

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual DecodeStatus Decode(ByteReader& in, ByteSink& out, uint64_t length) = 0;
};

}
