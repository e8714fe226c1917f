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

TemplateDecision CheckWorkbookTemplate(EngineHost& host, const std::string& workingFolder)
{
    switch (host.Probe(workingFolder)) {
    case Existence::Missing: return TemplateDecision::Keep;
    case Existence::Unknown: return TemplateDecision::Unknown;
    case Existence::Present: break;
    }
    std::string path = WorkbookTemplatePath(workingFolder);
    switch (host.Probe(path)) {
    case Existence::Missing: return TemplateDecision::Refresh;
    case Existence::Unknown: return TemplateDecision::Unknown;
    case Existence::Present: break;
    }
    UtcDate date;
    switch (host.ReadLastWriteDate(path, date)) {
    case LastWriteResult::CannotOpen: return TemplateDecision::Refresh;
    // A template whose date cannot be read may be a customer's own: keep it.
    case LastWriteResult::TimeUnreadable: return TemplateDecision::Keep;
    case LastWriteResult::Read: break;
    }
    return IsOldTemplateDate(date) ? TemplateDecision::Refresh : TemplateDecision::Keep;
}
