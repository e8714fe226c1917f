#pragma once
// The disks of a medium as folders or drives, reached with the same ANSI file functions as the wizard.

#include "MediaFiles.h"

#include <string>
#include <vector>

class CWinMedia : public MediaFiles {
public:
    explicit CWinMedia(std::vector<std::string> roots) : m_roots(std::move(roots)) {}
    size_t DiskCount() const override { return m_roots.size(); }
    bool Exists(size_t disk, const std::string& name) override;
    std::unique_ptr<ByteSource> Open(size_t disk, const std::string& name) override;
    std::string ListedName(const std::string& name) const override;

    // The disk's root followed by the name, as the wizard's programDirectory + name would be.
    std::string PathOf(size_t disk, const std::string& name) const;

private:
    std::vector<std::string> m_roots;
};
