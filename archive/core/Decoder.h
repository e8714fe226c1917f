#pragma once
// One decoder per compression method. Decode produces exactly `length` bytes into the sink or fails.

#include "Reader.h"
#include "Sink.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace lzh {

enum class DecodeStatus { Ok, Corrupt, Truncated, WriteFailed };

class Decoder {
public:
    virtual ~Decoder() = default;
    virtual DecodeStatus Decode(ByteReader& in, Sink& out, uint64_t length) = 0;
};

// The decoder for a five-character method id such as "-lh5-", or null for an unknown method.
std::unique_ptr<Decoder> MakeDecoder(std::string_view method);

// True for "-lhd-", the method of folder entries, which carry no data.
bool IsFolderMethod(std::string_view method);

}
