#pragma once
// The answer a medium's checksum list gives for one of its files, for the update run and parvel-check: a file
// whose digest differs from the list's, or that the list leaves out, is damaged or foreign; a medium without a
// list is read as before.

#include "Sha256Sums.h"

#include <string>
#include <string_view>
#include <vector>

enum class ChecksumVerdict { Matches, DoesNotMatch, NotListed, NoList };

class MediumChecksums {
public:
    // The text of the folder's SHA256SUMS. False for a malformed list, which then lists nothing, so that every
    // file counts as not listed: a list that cannot be read is no proof of anything.
    bool Load(std::string_view text);
    bool HasList() const { return m_hasList; }
    const std::vector<ChecksumLine>& Lines() const { return m_lines; }
    // The line that names the file, or null. name: UTF-8, '\\' or '/' between folders, letter case ignored
    // (ASCII) as on Windows.
    const ChecksumLine* Find(std::string_view utf8Name) const;
    ChecksumVerdict Check(std::string_view utf8Name, const Sha256Digest& digest) const;

private:
    bool m_hasList = false;
    std::vector<ChecksumLine> m_lines;
};
