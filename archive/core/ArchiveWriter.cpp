#include "ArchiveWriter.h"

#include "Crc16.h"
#include "LhNewEncoder.h"

#include <algorithm>
#include <vector>

namespace lzh {
namespace {

constexpr size_t kChunk = 64 * 1024;

// Passes coded bytes to the output until they reach the member's own size: from there on storing it is no
// worse, so coding stops.
class BoundedSink : public ByteSink {
public:
    BoundedSink(SeekableSink& out, uint64_t bound) : m_out(out), m_bound(bound) {}
    bool Write(const uint8_t* data, size_t size) override
    {
        m_written += size;
        if (m_written >= m_bound) {
            m_overflow = true;
            return false;
        }
        if (!m_out.Write(data, size)) {
            m_failed = true;
            return false;
        }
        return true;
    }
    uint64_t Written() const { return m_written; }
    bool Overflowed() const { return m_overflow; }
    bool Failed() const { return m_failed; }

private:
    SeekableSink& m_out;
    uint64_t m_bound;
    uint64_t m_written = 0;
    bool m_overflow = false;
    bool m_failed = false;
};

int DictionaryBits(Method method) { return method == Method::Lh5 ? 13 : method == Method::Lh6 ? 15 : 16; }

AddResult FromProblem(HeaderProblem problem)
{
    switch (problem) {
    case HeaderProblem::EmptyName:
        return AddResult::EmptyName;
    case HeaderProblem::NameTooLong:
        return AddResult::NameTooLong;
    case HeaderProblem::TooLarge:
        return AddResult::TooLarge;
    case HeaderProblem::None:
        break;
    }
    return AddResult::Ok;
}

}

const char* MethodId(Method method)
{
    switch (method) {
    case Method::Lh0:
        return "-lh0-";
    case Method::Lh6:
        return "-lh6-";
    case Method::Lh7:
        return "-lh7-";
    case Method::Lh5:
        break;
    }
    return "-lh5-";
}

bool ParseMethod(const std::string& text, Method& method)
{
    std::string t = text;
    if (t.size() == 5 && t.front() == '-' && t.back() == '-')
        t = t.substr(1, 3);
    if (t.size() == 3 && (t[0] == 'l' || t[0] == 'L') && (t[1] == 'h' || t[1] == 'H'))
        t = t.substr(2);
    if (t == "0")
        method = Method::Lh0;
    else if (t == "5")
        method = Method::Lh5;
    else if (t == "6")
        method = Method::Lh6;
    else if (t == "7")
        method = Method::Lh7;
    else
        return false;
    return true;
}

AddResult ArchiveWriter::Encode(ByteSource& data, uint64_t size, uint64_t& packed, uint16_t& crc, bool& shrank)
{
    BoundedSink sink(m_out, size);
    LhNewEncoder encoder(DictionaryBits(m_method), sink, size);
    std::vector<uint8_t> buffer(kChunk);
    uint64_t done = 0;
    crc = 0;
    bool coding = true;
    while (done < size) {
        size_t n = data.Read(buffer.data(), static_cast<size_t>(std::min<uint64_t>(kChunk, size - done)));
        if (n == 0)
            return AddResult::CannotRead;
        crc = UpdateCrc16(crc, buffer.data(), n);
        done += n;
        if (coding && !encoder.Write(buffer.data(), n))
            coding = false;
    }
    if (coding)
        encoder.Finish();
    if (sink.Failed())
        return AddResult::CannotWrite;
    shrank = !sink.Overflowed();
    packed = sink.Written();
    return AddResult::Ok;
}

AddResult ArchiveWriter::Store(ByteSource& data, uint64_t size, uint16_t& crc)
{
    if (!data.Seek(0))
        return AddResult::CannotRead;
    std::vector<uint8_t> buffer(kChunk);
    uint64_t done = 0;
    crc = 0;
    while (done < size) {
        size_t n = data.Read(buffer.data(), static_cast<size_t>(std::min<uint64_t>(kChunk, size - done)));
        if (n == 0)
            return AddResult::CannotRead;
        crc = UpdateCrc16(crc, buffer.data(), n);
        if (!m_out.Write(buffer.data(), n))
            return AddResult::CannotWrite;
        done += n;
    }
    return AddResult::Ok;
}

AddResult ArchiveWriter::AddFile(MemberHeader member, ByteSource& data)
{
    member.isFolder = false;
    member.originalSize = data.Size();
    if (HeaderProblem problem = CheckMemberHeader(member, m_level); problem != HeaderProblem::None)
        return FromProblem(problem);
    uint64_t size = member.originalSize;
    bool code = m_method != Method::Lh0 && size > 0;
    member.method = code ? MethodId(m_method) : "-lh0-";
    uint64_t headerAt = m_out.Position();
    std::vector<uint8_t> header = BuildHeader(member, m_level);
    if (!m_out.Write(header.data(), header.size()))
        return AddResult::CannotWrite;
    uint64_t dataAt = m_out.Position();
    bool shrank = false;
    member.packedSize = size;
    if (code) {
        if (!data.Seek(0))
            return AddResult::CannotRead;
        if (AddResult r = Encode(data, size, member.packedSize, member.crc, shrank); r != AddResult::Ok)
            return r;
    }
    if (!shrank) {
        member.method = "-lh0-";
        member.packedSize = size;
        if (!m_out.Seek(dataAt))
            return AddResult::CannotWrite;
        if (AddResult r = Store(data, size, member.crc); r != AddResult::Ok)
            return r;
    }
    uint64_t end = m_out.Position();
    header = BuildHeader(member, m_level);
    if (!m_out.Seek(headerAt) || !m_out.Write(header.data(), header.size()) || !m_out.Seek(end))
        return AddResult::CannotWrite;
    m_lastMethod = member.method;
    return AddResult::Ok;
}

AddResult ArchiveWriter::AddFolder(MemberHeader member)
{
    member.isFolder = true;
    member.method = "-lhd-";
    member.originalSize = member.packedSize = 0;
    member.crc = 0;
    member.attributes = 0x10;
    if (HeaderProblem problem = CheckMemberHeader(member, m_level); problem != HeaderProblem::None)
        return FromProblem(problem);
    std::vector<uint8_t> header = BuildHeader(member, m_level);
    m_lastMethod = member.method;
    return m_out.Write(header.data(), header.size()) ? AddResult::Ok : AddResult::CannotWrite;
}

bool ArchiveWriter::Finish()
{
    uint8_t end = 0;
    return m_out.Write(&end, 1) && m_out.Truncate();
}

}
