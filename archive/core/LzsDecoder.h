#pragma once
// The LArc methods: -lzs- (2 KiB ring, bit-coded) and -lz5- (4 KiB ring, byte-coded with a preset dictionary).

#include "Decoder.h"

#include <memory>

namespace lzh {

std::unique_ptr<Decoder> MakeLzsDecoder();
std::unique_ptr<Decoder> MakeLz5Decoder();

}
