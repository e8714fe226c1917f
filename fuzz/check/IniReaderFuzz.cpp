// libFuzzer target over the INI reader of the preview: an installation's settings files come from outside.

#include "IniReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The first line names the section and the key to look for, the rest is the file.
    size_t end = bytes.find('\n');
    std::string_view query = end == std::string_view::npos ? bytes : bytes.substr(0, end);
    std::string_view file = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    size_t tab = query.find('\t');
    std::string_view section = query.substr(0, tab);
    std::string_view key = tab == std::string_view::npos ? std::string_view() : query.substr(tab + 1);
    std::string value = "default";
    bool found = FindProfileValue(file, section, key, value);
    // A value is a part of one line of the file; without a find the default stays.
    if ((found && (value.size() > file.size() || value.find('\n') != std::string::npos)) ||
        (!found && value != "default"))
        std::abort();
    return 0;
}
