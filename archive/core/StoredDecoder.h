#pragma once
// -lh0- and -lz4-: the data is stored as it is.

#include "Decoder.h"

namespace lzh {

std::unique_ptr<Decoder> MakeStoredDecoder();

}
