#pragma once
// The checksum list of a medium, SHA256SUMS, in the format of sha256sum: one line per file, its SHA-256 in
// hex, two spaces (or a space and '*'), its name in UTF-8 relative to the list's folder ('/' inside). A line
// whose name holds '\\', LF or CR starts with '\\' and writes them as "\\\\", "\\n" and "\\r", as coreutils
// does. Then `sha256sum -c SHA256SUMS` checks a medium by hand, and PowerShell's Get-FileHash shows the same
// digests.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr const char kChecksumListName[] = "SHA256SUMS";

using Sha256Digest = std::array<uint8_t, 32>;

struct ChecksumLine {
    std::string name; // UTF-8
    Sha256Digest digest{};
};

// The lines of a list (LF or CR LF line ends, blank lines skipped). False for a malformed one, with the
// number of its first bad line in badLine.
bool ParseSha256Sums(std::string_view text, std::vector<ChecksumLine>& lines, size_t& badLine);
// The text of a list, as sha256sum writes it.
std::string WriteSha256Sums(const std::vector<ChecksumLine>& lines);
std::string DigestHex(const Sha256Digest& digest);
