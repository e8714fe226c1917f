#include "Sha256Sums.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The name of an escaped line ("\\\\", "\\n", "\\r"); false for any other escape.
bool Unescape(std::string_view escaped, std::string& name)
{
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            name += escaped[i];
            continue;
        }
        if (++i == escaped.size() || (escaped[i] != '\\' && escaped[i] != 'n' && escaped[i] != 'r'))
            return false;
        name += escaped[i] == 'n' ? '\n' : escaped[i] == 'r' ? '\r' : '\\';
    }
    return true;
}

bool ParseLine(std::string_view line, ChecksumLine& parsed)
{
    bool escaped = !line.empty() && line[0] == '\\';
    if (escaped)
        line.remove_prefix(1);
    // 64 hex digits, a space, ' ' (text) or '*' (binary), at least one byte of name.
    if (line.size() < 67 || line[64] != ' ' || (line[65] != ' ' && line[65] != '*'))
        return false;
    for (size_t i = 0; i < 32; ++i) {
        int high = HexValue(line[2 * i]), low = HexValue(line[2 * i + 1]);
        if (high < 0 || low < 0)
            return false;
        parsed.digest[i] = static_cast<uint8_t>(high << 4 | low);
    }
    std::string_view name = line.substr(66);
    parsed.name.clear();
    if (!escaped)
        parsed.name = name;
    return escaped ? Unescape(name, parsed.name) : true;
}

} // namespace

bool ParseSha256Sums(std::string_view text, std::vector<ChecksumLine>& lines, size_t& badLine)
{
    lines.clear();
    badLine = 0;
    size_t number = 0;
    while (!text.empty()) {
        ++number;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        ChecksumLine parsed;
        if (!ParseLine(line, parsed)) {
            badLine = number;
            return false;
        }
        lines.push_back(std::move(parsed));
    }
    return true;
}

std::string DigestHex(const Sha256Digest& digest)
{
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

std::string WriteSha256Sums(const std::vector<ChecksumLine>& lines)
{
    std::string text;
    for (const ChecksumLine& line : lines) {
        bool escape = line.name.find_first_of("\\\n\r") != std::string::npos;
        std::string name;
        for (char c : line.name)
            name += c == '\\'   ? std::string("\\\\")
                    : c == '\n' ? std::string("\\n")
                    : c == '\r' ? std::string("\\r")
                                : std::string(1, c);
        text += (escape ? "\\" : "") + DigestHex(line.digest) + "  " + name + "\n";
    }
    return text;
}
