#include "TestSupport.h"

#include "Extraction.h"
#include "PosixFileSource.h"
#include "PosixTarget.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

namespace lzhtest {

TempFolder::TempFolder()
{
    const char* bin = std::getenv("PARVEL_BINARY_DIR");
    fs::path base = bin ? fs::path(bin) / "archive-tests" : fs::temp_directory_path() / "archive-tests";
    std::random_device rd;
    std::string name = std::to_string(rd());
    m_path = base / name.insert(0, 1, 't');
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

std::map<std::string, Bytes> ReadTree(const fs::path& root)
{
    std::map<std::string, Bytes> tree;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (!item.is_regular_file())
            continue;
        std::string name = fs::relative(item.path(), root).string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        tree[name] = ReadBytes(item.path());
    }
    return tree;
}

fs::path CorpusDir()
{
    const char* src = std::getenv("PARVEL_SOURCE_DIR");
    return fs::path(src ? src : ".") / ".." / "shared" / "lzh-corpus";
}

int Shell(const std::string& command)
{
    return std::system(command.c_str());
}

lzh::Failure ExtractFile(const fs::path& archivePath, const fs::path& destination, lzh::Layout layout)
{
    PosixFileSource source;
    if (!source.Open(archivePath.string()))
        return {lzh::FailureKind::ArchiveNotFound, {}, {}};
    lzh::PosixTarget target(destination.string());
    return lzh::ExtractArchive(source, layout, target, nullptr);
}

lzh::Failure ExtractBytes(const Bytes& archive, const fs::path& destination, lzh::Layout layout)
{
    MemorySource source(archive.data(), archive.size());
    lzh::PosixTarget target(destination.string());
    return lzh::ExtractArchive(source, layout, target, nullptr);
}

}
