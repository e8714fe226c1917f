// Compiled with -fexec-charset=CP932: the string table is UTF-8, the run's texts are CP932.
#include "RunTexts.h"

#include "resource.h"

namespace {

struct IdText {
    unsigned id;
    const char* text;
};

constexpr IdText kRunTexts[] = {
#include "RunTexts.inc"
};

} // namespace

std::string RunText(unsigned id)
{
    for (const IdText& entry : kRunTexts) {
        if (entry.id == id)
            return entry.text;
    }
    return {};
}
