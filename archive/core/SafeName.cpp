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
    if (component == ".." || component.back() == '.' || component.back() == ' ')
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

}

bool SplitStoredPath(std::string_view stored, std::vector<std::string>& parts)
{
    parts.clear();
    if (stored.empty() || stored.size() > kMaxStoredPath || IsSeparatorAt(stored, 0))
        return false;
    size_t start = 0;
    for (size_t i = 0; i <= stored.size();) {
        if (i < stored.size() && !IsSeparatorAt(stored, i)) {
            i += CharLength(stored, i);
            continue;
        }
        std::string_view component = stored.substr(start, i - start);
        if (!component.empty() && component != ".") {
            if (!IsAllowedComponent(component)) {
                parts.clear();
                return false;
            }
            parts.emplace_back(component);
        }
        start = ++i;
    }
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
