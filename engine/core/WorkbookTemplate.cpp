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

TemplateCheck InspectWorkbookTemplate(EngineHost& host, const std::string& workingFolder)
{
    TemplateCheck check;
    check.path = WorkbookTemplatePath(workingFolder);
    auto decided = [&](TemplateDecision decision) {
        check.decision = decision;
        return check;
    };
    switch (host.Probe(workingFolder)) {
    case Existence::Missing: return decided(TemplateDecision::Keep);
    case Existence::Unknown: return decided(TemplateDecision::Unknown);
    case Existence::Present: break;
    }
    switch (host.Probe(check.path)) {
    case Existence::Missing: return decided(TemplateDecision::Refresh);
    case Existence::Unknown: return decided(TemplateDecision::Unknown);
    case Existence::Present: break;
    }
    switch (host.ReadLastWriteDate(check.path, check.date)) {
    case LastWriteResult::CannotOpen: return decided(TemplateDecision::Refresh);
    // A template whose date cannot be read may be a customer's own: keep it.
    case LastWriteResult::TimeUnreadable: return decided(TemplateDecision::Keep);
    case LastWriteResult::Read: break;
    }
    check.dated = true;
    return decided(IsOldTemplateDate(check.date) ? TemplateDecision::Refresh : TemplateDecision::Keep);
}

TemplateDecision CheckWorkbookTemplate(EngineHost& host, const std::string& workingFolder)
{
    return InspectWorkbookTemplate(host, workingFolder).decision;
}
