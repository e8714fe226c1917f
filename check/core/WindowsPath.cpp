#include "WindowsPath.h"

#include "Cp932.h"

std::string PathKey(std::string_view path)
{
    std::string upper = UpperAscii(path);
    std::string key;
    bool afterSeparator = false;
    for (size_t i = 0; i < upper.size(); i += CharLength(upper, i)) {
        bool separator = upper[i] == '\\' || upper[i] == '/';
        if (!(separator && afterSeparator))
            key += separator ? std::string_view("\\") : std::string_view(upper).substr(i, CharLength(upper, i));
        afterSeparator = separator;
    }
    return key;
}

bool MatchesWildcard(std::string_view name, std::string_view pattern)
{
    std::string text = UpperAscii(name), wild = UpperAscii(pattern);
    // Backtracking over the last '*': linear in practice for the patterns the engine forms.
    size_t t = 0, w = 0, starW = std::string::npos, starT = 0;
    while (t < text.size()) {
        size_t length = CharLength(text, t);
        if (w < wild.size() && wild[w] == '*') {
            starW = w++;
            starT = t;
        } else if (w < wild.size() && (wild[w] == '?' || wild.compare(w, CharLength(wild, w), text, t, length) == 0)) {
            w += wild[w] == '?' ? 1 : CharLength(wild, w);
            t += length;
        } else if (starW != std::string::npos) {
            w = starW + 1;
            starT += CharLength(text, starT);
            t = starT;
        } else {
            return false;
        }
    }
    while (w < wild.size() && wild[w] == '*')
        ++w;
    return w == wild.size();
}
