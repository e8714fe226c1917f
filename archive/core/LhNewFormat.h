#pragma once
// The -lh4- to -lh7- format, one definition for the encoder and the decoder.
//   a block: 16 bits, the number of its symbols; the temp table (the code-length code), the literal/length
//   table, the offset table; then the symbols: 0-255 a literal, 256-509 a match of length symbol - 253,
//   each match followed by an offset code

namespace lzh::lhnew {

constexpr int kCodeCount = 510;   // NC
constexpr int kCodeCountBits = 9; // CBIT
constexpr int kTempCount = 19;    // NT
constexpr int kTempBits = 5;      // TBIT
constexpr int kMatchBase = 253;   // a match symbol minus this is its length
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;

} // namespace lzh::lhnew
