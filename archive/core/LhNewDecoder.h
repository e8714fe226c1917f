#pragma once
// The static-Huffman LZ method of LHA 2.x: -lh4- to -lh7- and -lhx-, which differ only in dictionary size.

#include "Decoder.h"

#include <memory>

namespace lzh {

// offsetBits: the longest match offset in bits: 13 for -lh4- and -lh5-, 15, 16 and 20 for -lh6-, -lh7-, -lhx-.
std::unique_ptr<Decoder> MakeLhNewDecoder(int offsetBits);

}
