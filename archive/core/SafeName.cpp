#include "SafeName.h"

#include "Cp932.h"

#include <algorithm>
#include <array>

namespace lzh {
namespace {

bool IsSeparatorAt(std::string_view s, size_t i)
{
    unsigned char c = static_cast<unsigned char>(s[i]);
    return c == '\\' || c == '/' || c == 0xFF;
}

bool IsDrivePrefix(std::string_view s)
{
    return s.size() >= 2 && s[1] == ':' && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// Drops leading separators and drive prefixes, in any order ("C:\", "\\C:", "C:C:").
std::string_view WithoutRoot(std::string_view s)
{
    for (;;) {
        if (!s.empty() && IsSeparatorAt(s, 0))
            s.remove_prefix(1);
        else if (IsDrivePrefix(s))
            s.remove_prefix(2);
        else
            return s;
    }
}

bool IsReservedDevice(std::string_view component)
{
    std::string base = UpperAscii(component.substr(0, std::min(component.size(), FindChar(component, '.'))));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static const std::array<const char*, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (const char* name : kPlain)
        if (base == name)
            return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
           base[3] <= '9';
}

bool IsAllowedComponent(std::string_view component)
{
    if (component.empty() || component == "." || component == ".." || component.back() == '.' ||
        component.back() == ' ')
        return false;
    for (size_t i = 0; i < component.size(); i += CharLength(component, i)) {
        unsigned char c = static_cast<unsigned char>(component[i]);
        if (CharLength(component, i) == 2)
            continue;
        if (c < 0x20 || std::string_view("<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    }
    return !IsReservedDevice(component);
}

// Every component as stored, empty ones included; separators are never trail bytes.
std::vector<std::string_view> Components(std::string_view path)
{
    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t i = 0; i <= path.size();) {
        if (i < path.size() && !IsSeparatorAt(path, i)) {
            i += CharLength(path, i);
            continue;
        }
        out.push_back(path.substr(start, i - start));
        start = ++i;
    }
    return out;
}

}

bool SplitStoredPath(std::string_view stored, Layout layout, std::vector<std::string>& parts)
{
    parts.clear();
    std::vector<std::string_view> components = Components(WithoutRoot(stored));
    if (layout == Layout::Flat) {
        std::string_view last = components.back();
        if (!IsAllowedComponent(last) || last.size() > kMaxStoredPath)
            return false;
        parts.emplace_back(last);
        return true;
    }
    size_t length = 0;
    for (std::string_view component : components) {
        if (component.empty() || component == ".")
            continue;
        if (!IsAllowedComponent(component)) {
            parts.clear();
            return false;
        }
        parts.emplace_back(component);
        length += component.size() + 1;
    }
    if (length > kMaxStoredPath + 1)
        parts.clear();
    return !parts.empty();
}

std::string DisplayPath(std::string_view stored)
{
    std::string out;
    for (size_t i = 0; i < stored.size();) {
        size_t n = CharLength(stored, i);
        unsigned char c = static_cast<unsigned char>(stored[i]);
        if (n == 2)
            out.append(stored.substr(i, 2));
        else if (IsSeparatorAt(stored, i))
            out.push_back('\\');
        else
            out.push_back(c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c));
        i += n;
    }
    return out;
}

}
