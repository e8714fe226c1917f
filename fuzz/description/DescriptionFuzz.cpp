// libFuzzer target over the texts the wizard takes from outside: the medium's info.txt and an uninstall
// string from the registry. Checks the limits the rest of the program relies on.

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
    if (description.entries.size() > UpdateDescription::kMaxEntries)
        std::abort();
    for (const UpdateEntry& entry : description.entries) {
        if (entry.name.empty() || entry.name.size() > UpdateDescription::kMaxFieldBytes ||
            entry.subfolder.size() > UpdateDescription::kMaxFieldBytes)
            std::abort();
    }

    std::string value(bytes);
    ExtractFolderFromUninstallString(value);
    if (value.size() > size)
        std::abort();
    FolderFromUninstallString(bytes);
    return 0;
}
