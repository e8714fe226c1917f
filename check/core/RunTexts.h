#pragma once
// The update run's message texts by their string-table id, in CP932, for a preview on any platform. They
// come from the string table itself (res/Messages.rc), read when the build is configured.

#include <string>

// Empty for an id the string table does not hold.
std::string RunText(unsigned id);
