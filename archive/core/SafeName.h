#pragma once
// Decides which stored paths may be created under the destination folder, and splits them into components.
// Stored paths are CP932; '\\' (never a trail byte), '/' and 0xFF separate components.
//
// Archivers on Windows and Mac OS store names such as "\subdir\hello.txt": leading separators and a drive
// prefix ("C:") are dropped, so the name stays inside the destination, as tar keeps it. Empty and "."
// components are dropped too. What is left must never leave the destination: ".." is refused.

#include <string>
#include <string_view>
#include <vector>

namespace lzh {

// Longer paths are refused: Windows cannot create them under any folder.
constexpr size_t kMaxStoredPath = 255;

// WithFolders (x) creates every component; Flat (e) only the last one.
enum class Layout { Flat, WithFolders };

// The components to create, or false when the path is refused. WithFolders: every component must be allowed
// and at least one must be left. Flat: only the last component counts and is the one part; it must be allowed
// itself (a name ending in a separator, ".", "..", "con" are refused). A component is refused when it is "..",
// a reserved device name, holds a character Windows does not allow, ends in a dot or a space, or when the
// path to create is too long.
bool SplitStoredPath(std::string_view stored, Layout layout, std::vector<std::string>& parts);

// The stored path for messages: separators as '\\', control characters as '?'.
std::string DisplayPath(std::string_view stored);

}
