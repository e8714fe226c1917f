// A medium's SHA256SUMS comes from outside: any bytes parse or are refused without harm, and a list that
// parses is written back as one that reads the same.
#include "MediumChecksums.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ChecksumLine> lines, again;
    size_t bad = 0;
    if (!ParseSha256Sums(text, lines, bad))
        return 0;
    if (!ParseSha256Sums(WriteSha256Sums(lines), again, bad) || again.size() != lines.size())
        std::abort();
    MediumChecksums checksums;
    checksums.Load(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (again[i].name != lines[i].name || again[i].digest != lines[i].digest)
            std::abort();
        if (checksums.Check(lines[i].name, lines[i].digest) == ChecksumVerdict::NotListed)
            std::abort();
    }
    return 0;
}
