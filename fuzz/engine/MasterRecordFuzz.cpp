// Master file bytes through both rules, whole and in chunks: the chunked stream must give the same
// output, every record must end in CR LF, and records only ever shrink by one byte or keep their length.
#include "MasterRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t chunk = 1 + data[0] % 17;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (MasterRule rule : {MasterRule::Size, MasterRule::Type}) {
        std::string whole = ConvertMasterBytes(input, rule);
        MasterStreamConverter converter(rule);
        std::string chunked;
        for (size_t at = 0; at < input.size(); at += chunk)
            converter.Feed(input.substr(at, chunk), chunked);
        converter.Finish(chunked);
        if (chunked != whole)
            abort();
        if (!whole.empty() && whole.compare(whole.size() - 2, 2, "\r\n") != 0)
            abort();
        if (whole.size() > input.size() + 2 * (input.size() + 1))
            abort();
    }
    return 0;
}
