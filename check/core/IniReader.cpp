#include "IniReader.h"

#include "Cp932.h"
#include "UpdateDescription.h"

namespace {

std::string_view Trim(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) { return UpperAscii(Trim(a)) == UpperAscii(Trim(b)); }

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool FindProfileValue(std::string_view bytes, std::string_view section, std::string_view key, std::string& value)
{
    bool inSection = false;
    // ']' and '=' are below 0x40, so they are never the trail byte of a double-byte character.
    for (std::string_view line : SplitTextLines(bytes)) {
        std::string_view text = Trim(line);
        if (!text.empty() && text.front() == '[') {
            // Only the first section of a name counts: its end ends the search.
            if (inSection)
                return false;
            size_t close = text.find(']');
            inSection = close != std::string_view::npos && SameName(text.substr(1, close - 1), section);
            continue;
        }
        size_t equals = text.find('=');
        if (!inSection || equals == std::string_view::npos || !SameName(text.substr(0, equals), key))
            continue;
        value = std::string(Unquoted(Trim(text.substr(equals + 1))));
        return true;
    }
    return false;
}
