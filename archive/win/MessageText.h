#pragma once
// The user's message for a failure, loaded from the string table (CP932).

#include "Failure.h"

#include <string>

// archiveName: the archive's file name as the user knows it (START3.lzh).
std::string FailureMessage(const lzh::Failure& failure, const std::string& archiveName);
