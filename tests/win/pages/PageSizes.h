#pragma once
// The pages' sizes in dialog units as res/Pages.rc sets them, in one table for the tests that read the
// template and the ones that look at the shown page.

#include "resource.h"

struct PageSize {
    int id;
    short cx, cy;
};

constexpr PageSize kFolderPageSize{IDD_FOLDER, 229, 173};
constexpr PageSize kNoticePageSize{IDD_NOTICE, 215, 129};
constexpr PageSize kConfirmPageSize{IDD_CONFIRM, 236, 69};
