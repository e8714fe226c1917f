#include "WorkbookTemplate.h"

#include "Installation.h"

namespace {

constexpr int kLastOldYear = 2022;
constexpr int kLastOldMonth = 2;
constexpr int kLastOldDay = 5;

} // namespace

std::string WorkbookTemplatePath(const std::string& installFolder)
{
    return installFolder + install::kTemplateFile;
}

bool IsOldTemplateDate(const UtcDate& date)
{
    return date.year <= kLastOldYear && date.month <= kLastOldMonth && date.day <= kLastOldDay;
}

TemplateCheck InspectWorkbookTemplate(const EngineHost& host, const std::string& workingFolder)
{
    TemplateCheck check;
    check.path = WorkbookTemplatePath(workingFolder);
    auto decided = [&](TemplateDecision decision) {
        check.decision = decision;
        return check;
    };
    switch (host.files.Probe(workingFolder)) {
    case Existence::Missing: return decided(TemplateDecision::Keep);
    case Existence::Unknown: return decided(TemplateDecision::Unknown);
    case Existence::Present: break;
    }
    switch (host.files.Probe(check.path)) {
    case Existence::Missing: return decided(TemplateDecision::Refresh);
    case Existence::Unknown: return decided(TemplateDecision::Unknown);
    case Existence::Present: break;
    }
    switch (host.files.ReadLastWriteDate(check.path, check.date)) {
    case LastWriteResult::CannotOpen: return decided(TemplateDecision::Refresh);
    // A template whose date cannot be read may be a customer's own: keep it.
    case LastWriteResult::TimeUnreadable: return decided(TemplateDecision::Keep);
    case LastWriteResult::Read: break;
    }
    check.dated = true;
    return decided(IsOldTemplateDate(check.date) ? TemplateDecision::Refresh : TemplateDecision::Keep);
}

TemplateDecision CheckWorkbookTemplate(const EngineHost& host, const std::string& workingFolder)
{
    return InspectWorkbookTemplate(host, workingFolder).decision;
}
