#include "MethodTable.h"

#include "Lh1Decoder.h"
#include "LhNewDecoder.h"
#include "LzsDecoder.h"
#include "StoredDecoder.h"

namespace lzh {

std::unique_ptr<Decoder> MakeDecoder(std::string_view method)
{
    if (method == "-lh0-" || method == "-lz4-")
        return MakeStoredDecoder();
    if (method == "-lh1-")
        return MakeLh1Decoder();
    // -lh4- has a 4 KiB dictionary but shares -lh5-'s offset code, which reaches back 8 KiB.
    if (method == "-lh4-" || method == "-lh5-")
        return MakeLhNewDecoder(13);
    if (method == "-lh6-")
        return MakeLhNewDecoder(15);
    if (method == "-lh7-")
        return MakeLhNewDecoder(16);
    if (method == "-lhx-")
        return MakeLhNewDecoder(20);
    if (method == "-lzs-")
        return MakeLzsDecoder();
    if (method == "-lz5-")
        return MakeLz5Decoder();
    return nullptr;
}

bool IsFolderMethod(std::string_view method)
{
    return method == "-lhd-";
}

}
