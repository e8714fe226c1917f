// libFuzzer target of the encoder: the input bytes, packed with the method and header level its first byte
// picks, must come back byte for byte through our own decoder. The rest of the input is repeated a few times
// (as the first byte says) so that long matches and several blocks come up too.

#include "ArchiveScan.h"
#include "ArchiveWriter.h"
#include "Extraction.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const lzh::Method methods[] = {lzh::Method::Lh5, lzh::Method::Lh6, lzh::Method::Lh7, lzh::Method::Lh0};
    lzh::Method method = methods[data[0] & 3];
    int level = data[0] & 4 ? 1 : 2;
    int copies = 1 + (data[0] >> 3 & 7) * (data[0] >> 6 ? 40 : 1);
    std::vector<uint8_t> input;
    for (int i = 0; i < copies; ++i)
        input.insert(input.end(), data + 1, data + size);

    MemorySink out;
    lzh::ArchiveWriter writer(out, method, level);
    lzh::MemberHeader member;
    member.path = "a/b";
    MemorySource source(input.data(), input.size());
    if (writer.AddFile(member, source) != lzh::AddResult::Ok || !writer.Finish())
        std::abort();

    MemorySource archive(out.Bytes().data(), out.Bytes().size());
    std::vector<lzh::ScannedEntry> entries;
    if (lzh::ScanArchive(archive, lzh::Layout::WithFolders, entries).failed() || entries.size() != 1)
        std::abort();
    MemorySink sink;
    if (lzh::DecodeEntry(archive, entries[0], sink).failed() || sink.Bytes() != input)
        std::abort();
    return 0;
}
