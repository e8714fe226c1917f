#pragma once
// The disks of a medium as folders of a POSIX file system. Names of the medium are CP932 with '\\' between
// folders and match in any letter case, as on Windows; the folders hold them as UTF-8 names.

#include "MediaFiles.h"

#include <string>
#include <vector>

class PosixMedia : public MediaFiles {
public:
    explicit PosixMedia(std::vector<std::string> roots) : m_roots(std::move(roots)) {}
    size_t DiskCount() const override { return m_roots.size(); }
    bool Exists(size_t disk, const std::string& name) override;
    std::unique_ptr<ByteSource> Open(size_t disk, const std::string& name) override;
    std::string ListedName(const std::string& name) const override;

    // The file's path on this system: the one found, or the name put under the disk's folder as it is.
    std::string DisplayPath(size_t disk, const std::string& name) const;

private:
    std::vector<std::string> m_roots;
};

// Finds the path a Windows-style relative name (CP932, '\\' or '/' between parts, runs of them as one)
// names under folder, matching each part without regard to letter case. False when a part is missing.
bool ResolveWindowsName(const std::string& folder, const std::string& name, std::string& path);
