#include "FillMessage.h"

#include "Cp932.h"

std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    const std::string_view* arg = args.begin();
    size_t nextInOrder = 0;
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); i += CharLength(pattern, i)) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            char c = pattern[i + 1];
            size_t n = args.size();
            if (c == 'd' || c == 's')
                n = nextInOrder++;
            else if (c >= '1' && c <= '9')
                n = static_cast<size_t>(c - '1');
            if (n < args.size()) {
                out += arg[n];
                ++i;
                continue;
            }
        }
        out.append(pattern.substr(i, CharLength(pattern, i)));
    }
    return out;
}
