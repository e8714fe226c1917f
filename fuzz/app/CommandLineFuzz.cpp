// libFuzzer target over Parvel.exe's command line, which a deployment tool or a typing person writes.
// Checks what the start-up relies on: values never hold a quote, and a folder or log read back from the
// line gives the same line again.

#include "CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CommandLine line = ParseCommandLine(text);
    std::string folder = line.folder.value_or("");
    if (folder.size() > size || line.logFile.size() > size || line.refused.size() > size + 2)
        std::abort();
    if (folder.find('"') != std::string::npos || line.logFile.find('"') != std::string::npos)
        std::abort();
    if (line.folder) {
        CommandLine again = ParseCommandLine("/DIR=\"" + folder + "\"");
        if (!again.Sound() || again.folder != line.folder)
            std::abort();
    }
    return 0;
}
