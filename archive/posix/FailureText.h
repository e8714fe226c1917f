#pragma once
// English wording of a failure, for the command-line tool on Linux.

#include "Failure.h"

#include <string>

namespace lzh {

std::string DescribeFailure(const Failure& failure, const std::string& archive);

}
