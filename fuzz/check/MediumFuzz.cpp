// libFuzzer target over parvel-check's medium check: the input is an info.txt and, after its end byte 0x1A,
// the bytes of the medium's other files. Whether a name is on a disk, and where in those bytes its file
// starts, follow from the name, so archives, loose files and pictures are found, missing or damaged as the
// fuzzer steers.

#include "MediaCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

class FuzzMedium : public MediaFiles {
public:
    FuzzMedium(std::string_view input, size_t disks) : m_input(input), m_disks(disks)
    {
        size_t end = m_input.find('\x1A');
        m_payload = end == std::string::npos ? std::string_view() : std::string_view(m_input).substr(end + 1);
    }
    size_t DiskCount() const override { return m_disks; }
    std::string ListedName(const std::string& name) const override { return name; }
    bool Exists(size_t disk, const std::string& name) override { return Hash(disk, name) % 5 != 0; }
    std::unique_ptr<ByteSource> Open(size_t disk, const std::string& name) override
    {
        if (disk >= m_disks)
            std::abort();
        if (disk == 0 && name == "info.txt")
            return Source(m_input);
        if (!Exists(disk, name))
            return nullptr;
        return Source(m_payload.substr(Hash(disk, name) % (m_payload.size() + 1)));
    }

private:
    static size_t Hash(size_t disk, const std::string& name) { return std::hash<std::string>()(name) + disk; }
    static std::unique_ptr<ByteSource> Source(std::string_view bytes)
    {
        return std::make_unique<MemorySource>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }

    std::string m_input;
    std::string_view m_payload;
    size_t m_disks;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FuzzMedium medium(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), 1 + data[0] % 3);
    MediumReport report = CheckMedium(medium);
    for (const Finding& finding : report.findings) {
        if (finding.disk >= medium.DiskCount() || FindingText(finding).empty())
            std::abort();
    }
    if (report.infoRead != true || SummaryLines(report).empty())
        std::abort();
    return 0;
}
