#include "WorkbookTemplate.h"

namespace {

// "\形式\横A-A4g.xlsm" in code page 932.
constexpr char kTemplateTail[] = "\\\x8C\x60\x8E\xAE\\\x89\xA1" "A-A4g.xlsm";

constexpr int kLastOldYear = 2022;
constexpr int kLastOldMonth = 2;
constexpr int kLastOldDay = 5;

} // namespace

std::string WorkbookTemplatePath(const std::string& installFolder)
{
    return installFolder + kTemplateTail;
}

bool IsOldTemplateDate(const UtcDate& date)
{
    return date.year <= kLastOldYear && date.month <= kLastOldMonth && date.day <= kLastOldDay;
}

int CheckWorkbookTemplate(EngineHost& host, const std::string& workingFolder)
{
    if (!host.Exists(workingFolder))
        return 0;
    std::string path = WorkbookTemplatePath(workingFolder);
    if (!host.Exists(path))
        return 1;
    UtcDate date;
    switch (host.ReadLastWriteDate(path, date)) {
    case LastWriteResult::CannotOpen: return 1;
    // A template whose date cannot be read may be a customer's own: keep it.
    case LastWriteResult::TimeUnreadable: return 0;
    case LastWriteResult::Read: break;
    }
    return IsOldTemplateDate(date) ? 1 : 0;
}
