#pragma once
// Whether the installed cost-statement workbook template is to be replaced by the update's one.

#include <string>

// 1: replace it (old, missing or locked template); 0: keep it, or the install folder is missing.
int CheckWorkbookTemplate(const std::string& workingFolder);

// The template path for an install folder: folder + "\形式\横A-A4g.xlsm" in CP932.
std::string WorkbookTemplatePath(const std::string& installFolder);
