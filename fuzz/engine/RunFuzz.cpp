// libFuzzer target over the whole update run: the input is an info.txt, and after its end byte 0x1A the bytes
// of every archive and loose file it names. The archive core decodes those bytes into the members the fake
// host's library extracts. Checks: nothing crashes, nothing outside the installation changes, and no failure
// is followed by "システムは正常に更新されました。".

#include "Cp932.h"
#include "Extraction.h"
#include "RunScenario.h"
#include "UpdateEngine.h"
#include "resource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxDecoded = 1 << 20;

class MemberFile : public lzh::OutputFile {
public:
    MemberFile(std::vector<FakeMember>& members, std::string name, size_t& total)
        : m_members(members), m_total(total), m_member{std::move(name), {}}
    {
    }
    bool Write(const uint8_t* data, size_t size) override
    {
        m_total += size;
        m_member.bytes.append(reinterpret_cast<const char*>(data), size);
        return m_total <= kMaxDecoded;
    }
    bool Commit() override
    {
        m_members.push_back(std::move(m_member));
        return true;
    }

private:
    std::vector<FakeMember>& m_members;
    size_t& m_total;
    FakeMember m_member;
};

class MemberTarget : public lzh::Target {
public:
    std::vector<FakeMember> members;
    bool MakeFolder(const std::vector<std::string>&) override { return true; }
    std::unique_ptr<lzh::OutputFile> CreateOutput(const std::vector<std::string>& parts, const lzh::EntryHeader&) override
    {
        return std::make_unique<MemberFile>(members, parts.back(), m_total);
    }

private:
    size_t m_total = 0;
};

bool Changed(const FakeTree& before, const FakeTree& after, const std::string& path)
{
    auto a = before.find(path), b = after.find(path);
    return a == before.end() || b == after.end() || a->second.bytes != b->second.bytes ||
           a->second.directory != b->second.directory;
}

void MakeHost(FakeHost& host, const UpdateDescription& description, const std::string& payload, uint8_t flags)
{
    MakeInstallation(host, "tavilo1.ini", "[SYSTEM]\r\nTITLE=ABC 8.0S\r\n[DIR]\r\nMASTER=C:\\APP\\M\r\n");
    host.AddFile(kInstall + "\\mok3.ini", "[HISTORY]\r\n");
    host.AddFile(kInstall + "\\M1\\zai001-3.mst", OldMasterRecord('a'));
    host.AddFile(kTemplate, "old book");
    host.Find(kTemplate)->date = UtcDate{2021, 1, 1};
    host.AddFolder(kMedium);
    host.removableMedium = flags & 1;
    // Now and then one host call fails, as a disk or a network may.
    host.failAt = flags & 2 ? flags >> 2 : 0;

    MemorySource source(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
    MemberTarget decoded;
    bool archive = lzh::ExtractArchive(source, lzh::Layout::Flat, decoded, nullptr).ok();
    for (const UpdateEntry& entry : description.entries) {
        if (!entry.IsArchive()) {
            host.AddFile(kMedium + entry.name, payload);
            continue;
        }
        // START is the edition's archive: the title's keyword gives the edition.
        bool start = SplitPath(entry.name).name == "START";
        for (int kind = -1; kind <= (start ? 15 : -1); ++kind) {
            std::string path = kMedium + entry.name + (kind < 0 ? "" : std::to_string(kind)) + ".lzh";
            if (archive)
                host.AddArchive(path, decoded.members);
            else
                host.AddFile(path, payload); // damaged: the library fails on it
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    size_t end = input.find('\x1A');
    std::string payload = end == std::string::npos ? std::string() : input.substr(end + 1);

    UpdateDescription description;
    ParseUpdateDescription(input, description);
    description.installFolder = kInstall;
    FakeHost host;
    MakeHost(host, description, payload, data[0]);
    const FakeTree before = host.files;

    ApplyUpdate(description, UpdatePlace{MediumFolder(kMedium), description.installFolder}, host);

    const std::string installation = FakeHost::Normalise(kInstall) + "\\";
    FakeTree all = before;
    all.insert(host.files.begin(), host.files.end());
    for (const auto& [path, file] : all) {
        // The fake host's paths are resolved as Windows resolves them.
        if (Changed(before, host.files, path) && (path + "\\").rfind(installation, 0) != 0)
            std::abort();
    }
    // "Done" comes last, and only after boxes that tell of no failure.
    const std::string done = FakeHost::Id(IDS_UPDATE_DONE);
    for (size_t i = 0; i < host.boxes.size(); ++i) {
        const Box& box = host.boxes[i];
        bool harmless = box.diskPrompt || box.text == FakeHost::Id(IDS_TEMPLATE_UPDATED);
        if (box.text == done ? i + 1 != host.boxes.size() : !harmless && host.boxes.back().text == done)
            std::abort();
    }
    return 0;
}
