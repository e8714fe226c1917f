#include "Cp932.h"

#include <climits>

std::string UpperAscii(std::string_view s)
{
    std::string out(s);
    for (size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
    }
    return out;
}

size_t FindChar(std::string_view s, char c, size_t from)
{
    for (size_t i = from; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == c)
            return i;
    }
    return std::string_view::npos;
}

size_t FindSeparator(std::string_view s, size_t from)
{
    for (size_t i = from; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == '\\' || s[i] == '/')
            return i;
    }
    return std::string_view::npos;
}

bool EndsWithSeparator(std::string_view path)
{
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i))
        last = i;
    return last != std::string_view::npos && CharLength(path, last) == 1 && (path[last] == '\\' || path[last] == '/');
}

std::string WithTrailingSeparator(const std::string& path)
{
    return EndsWithSeparator(path) ? path : path + "\\";
}

std::string ShownPath(std::string_view path)
{
    std::string shown;
    bool afterSeparator = false;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        bool separator = path[i] == '\\';
        if (!(separator && afterSeparator && i > 1))
            shown.append(path.substr(i, CharLength(path, i)));
        afterSeparator = separator;
    }
    return shown;
}

int DecimalValue(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value);
}

PathParts SplitPath(std::string_view path)
{
    PathParts parts;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(path[0]))) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    size_t nameStart = start;
    for (size_t i = start; i < path.size(); i += CharLength(path, i)) {
        if (path[i] == '\\' || path[i] == '/')
            nameStart = i + 1;
    }
    parts.dir = path.substr(start, nameStart - start);
    std::string_view rest = path.substr(nameStart);
    size_t dot = std::string_view::npos;
    for (size_t i = 0; i < rest.size(); i += CharLength(rest, i)) {
        if (rest[i] == '.')
            dot = i;
    }
    parts.name = rest.substr(0, dot);
    if (dot != std::string_view::npos)
        parts.ext = rest.substr(dot);
    return parts;
}

std::string FolderOf(std::string_view path)
{
    PathParts parts = SplitPath(path);
    return parts.drive + parts.dir;
}

std::string_view CutOnCharBoundary(std::string_view s, size_t maxBytes)
{
    if (s.size() <= maxBytes)
        return s;
    size_t end = 0;
    while (end < s.size()) {
        size_t next = end + CharLength(s, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return s.substr(0, end);
}
