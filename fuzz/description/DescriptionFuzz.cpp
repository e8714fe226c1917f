// libFuzzer target over the texts the wizard takes from outside: the medium's info.txt and an uninstall
// string from the registry. Checks what the rest of the program relies on.

#include "UninstallString.h"
#include "UpdateDescription.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    UpdateDescription description;
    ParseUpdateDescription(bytes, description);
    // Each line from 43 on is an entry, a broken line or nothing; fields are never cut and never empty.
    size_t lines = SplitTextLines(bytes).size();
    size_t entryLines = lines > 42 ? lines - 42 : 0;
    if (description.entries.size() + description.brokenEntryLines.size() > entryLines)
        std::abort();
    for (const UpdateEntry& entry : description.entries) {
        if (entry.name.empty() || entry.subfolder.empty() || entry.name.size() > size ||
            entry.subfolder.size() > size)
            std::abort();
    }
    size_t previous = 42;
    for (size_t line : description.brokenEntryLines) {
        if (line <= previous || line > lines)
            std::abort();
        previous = line;
    }

    std::string value(bytes);
    ExtractFolderFromUninstallString(value);
    if (value.size() > size)
        std::abort();
    FolderFromUninstallString(bytes);
    return 0;
}
