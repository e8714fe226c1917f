#pragma once
// The -lh5-, -lh6- and -lh7- encoder: LZSS with hash chains and lazy matching over a sliding window, then
// static Huffman blocks of up to 65535 symbols. Streams: bytes go in by Write in pieces of any size, and the
// coded bytes go out to the sink as they are made; memory does not grow with the input.

#include "ByteSink.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lzh {

class LhNewEncoder {
public:
    // dictionaryBits: 13 for -lh5-, 15 for -lh6-, 16 for -lh7-. sizeHint: the bytes to come when known (0: not
    // known); a smaller member gets smaller tables, and the same code for 64 KiB and more.
    LhNewEncoder(int dictionaryBits, ByteSink& out, uint64_t sizeHint = 0);
    ~LhNewEncoder();
    LhNewEncoder(const LhNewEncoder&) = delete;
    LhNewEncoder& operator=(const LhNewEncoder&) = delete;

    // False once the sink has refused bytes; everything after that is dropped.
    bool Write(const uint8_t* data, size_t size);
    // Codes what is left and flushes the last byte.
    bool Finish();

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

}
