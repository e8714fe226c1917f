#pragma once
// -lh0- and -lz4-: the data is stored as it is.

#include "Decoder.h"

#include <memory>

namespace lzh {

std::unique_ptr<Decoder> MakeStoredDecoder();

}
