#pragma once
// Code lengths and canonical codes for the encoder: the lengths are those of a Huffman tree, limited to
// kMaxCodeLength bits as LHA limits them, so that every decoder's 16-bit tables hold them.

#include <cstdint>

namespace lzh {

constexpr int kMaxCodeLength = 16;

// Sets lengths[i] for the n symbols with their frequencies; unused symbols get 0. With fewer than two used
// symbols every length stays 0 (the block then sends the table as one constant symbol). Returns the number
// of used symbols.
int BuildCodeLengths(const uint32_t* freq, int n, uint8_t* lengths);

// Canonical codes: in order of length, then symbol, counting up from 0 (the order the decoder assigns them).
void BuildCanonicalCodes(const uint8_t* lengths, int n, uint16_t* codes);

}
