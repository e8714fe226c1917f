#include "MediumChecksums.h"

namespace {

char Folded(char c)
{
    if (c == '\\')
        return '/';
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i]))
            return false;
    return true;
}

} // namespace

bool MediumChecksums::Load(std::string_view text)
{
    m_hasList = true;
    size_t badLine = 0;
    if (ParseSha256Sums(text, m_lines, badLine))
        return true;
    m_lines.clear();
    return false;
}

const ChecksumLine* MediumChecksums::Find(std::string_view utf8Name) const
{
    for (const ChecksumLine& line : m_lines)
        if (SameName(line.name, utf8Name))
            return &line;
    return nullptr;
}

ChecksumVerdict MediumChecksums::Check(std::string_view utf8Name, const Sha256Digest& digest) const
{
    if (!m_hasList)
        return ChecksumVerdict::NoList;
    const ChecksumLine* line = Find(utf8Name);
    if (!line)
        return ChecksumVerdict::NotListed;
    return line->digest == digest ? ChecksumVerdict::Matches : ChecksumVerdict::DoesNotMatch;
}
