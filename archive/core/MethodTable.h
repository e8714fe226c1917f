#pragma once
// The compression methods the component reads, by their five-character ids. Only the scan and the extraction
// look a method up; the decoders know nothing of each other.

#include "Decoder.h"

#include <memory>
#include <string_view>

namespace lzh {

// The decoder for a method id such as "-lh5-", or null for an unknown method.
std::unique_ptr<Decoder> MakeDecoder(std::string_view method);

// True for "-lhd-", the method of folder entries, which carry no data.
bool IsFolderMethod(std::string_view method);

}
