#pragma once
// -lh1-: LHarc's adaptive Huffman coder with a 4 KiB dictionary.

#include "Decoder.h"

#include <memory>

namespace lzh {

std::unique_ptr<Decoder> MakeLh1Decoder();

}
