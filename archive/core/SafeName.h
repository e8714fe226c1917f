#pragma once
// Decides whether a stored path may be created under the destination folder, and splits it into folder
// components. Stored paths are CP932; '\\' (never a trail byte), '/' and 0xFF separate components.

#include <string>
#include <string_view>
#include <vector>

namespace lzh {

// Stored paths longer than this are refused: Windows cannot create them under any folder.
constexpr size_t kMaxStoredPath = 255;

// The components of a safe path ("." and empty components dropped); false for an unsafe one: empty,
// absolute, drive letter, "..", reserved device name, a character Windows does not allow, a component
// ending in a dot or space, or too long.
bool SplitStoredPath(std::string_view stored, std::vector<std::string>& parts);

// The stored path for messages: separators as '\\', control characters as '?'.
std::string DisplayPath(std::string_view stored);

}
