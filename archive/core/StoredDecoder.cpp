#include "StoredDecoder.h"

#include <algorithm>
#include <vector>

namespace lzh {
namespace {

class StoredDecoder : public Decoder {
public:
    DecodeStatus Decode(ByteReader& in, ByteSink& out, uint64_t length) override
    {
        std::vector<uint8_t> buffer(1 << 18);
        while (length > 0) {
            size_t want = static_cast<size_t>(std::min<uint64_t>(length, buffer.size()));
            size_t n = in.Read(buffer.data(), want);
            if (n == 0)
                return DecodeStatus::Truncated;
            if (!out.Write(buffer.data(), n))
                return DecodeStatus::WriteFailed;
            length -= n;
        }
        return DecodeStatus::Ok;
    }
};

}

std::unique_ptr<Decoder> MakeStoredDecoder()
{
    return std::make_unique<StoredDecoder>();
}

}
