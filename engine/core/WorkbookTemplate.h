#pragma once
// Whether the installed cost-statement workbook template is to be replaced by the update's one.

#include <string>

#include "EngineHost.h"

enum class TemplateDecision {
    Refresh, // old, missing or held template
    Keep,    // a newer template, or the install folder is missing
    Unknown  // the folder or the template could not be tested: a failure, never a silent keep
};

// The decision with what it rests on, for the log and the preview.
struct TemplateCheck {
    std::string path;
    TemplateDecision decision = TemplateDecision::Keep;
    bool dated = false; // date holds the template's last-write date
    UtcDate date;
};

TemplateCheck InspectWorkbookTemplate(const EngineHost& host, const std::string& workingFolder);
TemplateDecision CheckWorkbookTemplate(const EngineHost& host, const std::string& workingFolder);

// Templates written on or before 2022-02-05, each field compared by itself, are the old ones.
bool IsOldTemplateDate(const UtcDate& date);

// The template path for an install folder: folder + "\形式\横A-A4g.xlsm" in CP932.
std::string WorkbookTemplatePath(const std::string& installFolder);
