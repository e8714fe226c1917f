#pragma once
// What an update would do to an installation, found by running the update engine over a host that writes
// nothing: the settings file and edition, the START archive, every file added or replaced, the workbook
// template decision, each settings key with its old and new value, the masters converted, and every message.

#include "InstallationFiles.h"
#include "MediaFiles.h"
#include "PreviewLog.h"
#include "UpdateDescription.h"

#include <string>

// installFolder is the folder text the run starts from, as the user would confirm it.
PreviewLog RunPreview(const UpdateDescription& description, const std::string& installFolder, MediaFiles& media,
                      InstallationFiles& installation);
