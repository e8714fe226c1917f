#include "MediumFileCheck.h"

#include "CodePage.h"
#include "Handles.h"
#include "Sha256.h"

namespace {

// A list larger than this is no list of a medium's few hundred files.
constexpr DWORD kMaxListBytes = 1 << 20;

} // namespace

void LoadMediumChecksums(const std::string& programDirectory, MediumChecksums& checksums)
{
    checksums = MediumChecksums();
    const std::string path = programDirectory + kChecksumListName;
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    // A list that is there but cannot be read lists nothing: every file counts as not listed.
    std::string text;
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD size = file ? ::GetFileSize(file.Get(), nullptr) : 0;
    DWORD read = 0;
    if (file && size <= kMaxListBytes) {
        text.resize(size);
        if (!::ReadFile(file.Get(), text.data(), size, &read, nullptr) || read != size)
            text.clear();
    }
    checksums.Load(text);
}

ChecksumVerdict CheckMediumFile(const MediumChecksums& checksums, const std::string& programDirectory,
                                const std::string& name)
{
    if (!checksums.HasList())
        return ChecksumVerdict::NoList;
    std::string utf8 = FromWide(ToWide(name, 932), CP_UTF8);
    if (!checksums.Find(utf8))
        return ChecksumVerdict::NotListed;
    Sha256Digest digest{};
    if (!Sha256OfFile(programDirectory + name, digest))
        return ChecksumVerdict::DoesNotMatch;
    return checksums.Check(utf8, digest);
}
