#pragma once
// Checks an update medium the way the wizard will use it: info.txt read by the wizard's own code, every
// entry's archive or loose file on its disk, every archive tested whole, every picture read by the
// painter's reader, and the settings of info.txt that would do nothing or not what they seem to.

#include "Findings.h"
#include "MediaFiles.h"
#include "UpdateDescription.h"

#include <string>
#include <vector>

struct MediumEdition {
    Edition edition;
    std::string label; // the keyword, or what "MAKER" must hold
};

struct MediumReport {
    std::vector<Finding> findings;
    UpdateDescription description;
    bool infoRead = false;
    size_t diskCount = 0;
    bool hasStartEntry = false;
    std::vector<MediumEdition> editions; // with their START archive on the medium, when there is a START entry

    size_t Count(Severity severity) const;
    bool HasErrors() const { return Count(Severity::Error) > 0; }
};

MediumReport CheckMedium(MediaFiles& media);

// The closing lines: counts of findings, entries, disks and the editions the medium can update.
std::vector<std::string> SummaryLines(const MediumReport& report);
