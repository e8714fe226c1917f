#pragma once
// The update run: identification, the entries of the description, the settings keys and the master
// conversions, each outcome told through the host's message boxes.
//
// The update is one transaction. Every new file, settings file and converted master is first written beside
// its target under a work name; only when all of it is staged and checked do the files take their targets'
// names, under a journal that lets the next start finish an update cut off half-way. A run that stops before
// leaves the installation as it was.

#include <string>

#include "EngineHost.h"
#include "RunJournal.h"
#include "RunOutcome.h"
#include "UpdateDescription.h"
#include "UpdatePlace.h"

RunOutcome ApplyUpdate(const UpdateDescription& description, const UpdatePlace& place, const EngineHost& host,
                       RunJournal* journal = nullptr);
