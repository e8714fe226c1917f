#include "ArchiveBuilder.h"

#include "HeaderReader.h"
#include "NativeFiles.h"
#include "SafeName.h"
#include "StdioFile.h"

#include "Cp932.h"
#include "WorkFile.h"

#include <set>

namespace lzh {
namespace {

// The CP932 path with '\\' separators (never a trail byte) as '/', relative, without "." parts; false for
// a ".." part.
bool NormalizeStored(const std::string& cp932, std::string& stored)
{
    std::string path;
    for (size_t i = 0; i < cp932.size();) {
        size_t n = CharLength(cp932, i);
        path += n == 1 && cp932[i] == '\\' ? std::string("/") : cp932.substr(i, n);
        i += n;
    }
    if (path.size() >= 2 && path[1] == ':' && static_cast<unsigned char>(path[0]) < 0x80)
        path.erase(0, 2);
    stored.clear();
    size_t start = 0;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        std::string part = path.substr(start, slash - start);
        if (part == "..")
            return false;
        if (!part.empty() && part != ".")
            stored += (stored.empty() ? "" : "/") + part;
        start = slash + 1;
    }
    return !stored.empty();
}

bool AddTree(const std::string& path, const std::string& stored, std::vector<PackInput>& inputs,
             std::string& problem)
{
    FileInfo info;
    if (!StatPath(path, info)) {
        problem = "not found: " + path;
        return false;
    }
    std::vector<std::string> parts;
    if (!SplitStoredPath(stored, Layout::WithFolders, parts)) {
        problem = "a name an archive may not hold: " + path;
        return false;
    }
    inputs.push_back({path, stored, info.isFolder});
    if (!info.isFolder)
        return true;
    std::vector<std::string> names;
    if (!ListFolder(path, names)) {
        problem = "cannot read the folder " + path;
        return false;
    }
    for (const std::string& name : names) {
        std::string cp932;
        if (!NativeToCp932(name, cp932)) {
            problem = "a name with no Shift-JIS (CP932) form: " + path + "/" + name;
            return false;
        }
        if (!AddTree(path + "/" + name, stored + "/" + cp932, inputs, problem))
            return false;
    }
    return true;
}

// The stored path of an existing member with '/' separators, for telling which ones a new member replaces.
std::string ComparablePath(const std::string& stored)
{
    std::vector<std::string> parts;
    if (!SplitStoredPath(stored, Layout::WithFolders, parts))
        return {};
    std::string path;
    for (const std::string& part : parts)
        path += (path.empty() ? "" : "/") + UpperAscii(part);
    return path;
}

// Copies the members of the existing archive that no new member replaces.
bool KeepExisting(const std::string& archive, const std::set<std::string>& replaced, ArchiveWriter& writer,
                  std::string& problem)
{
    std::unique_ptr<ByteSource> opened = OpenFileSource(archive);
    if (!opened)
        return true;
    ByteSource& old = *opened;
    std::vector<uint8_t> buffer;
    uint64_t at = 0;
    for (;;) {
        EntryHeader header;
        HeaderStatus status = ReadHeader(old, header);
        if (status == HeaderStatus::End)
            return true;
        if (status != HeaderStatus::Ok || header.packedSize > old.Size()) {
            problem = "the existing archive is broken: " + archive;
            return false;
        }
        uint64_t length = header.headerSize + header.packedSize;
        uint64_t next = at + length;
        if (!replaced.count(ComparablePath(header.path))) {
            buffer.resize(static_cast<size_t>(length));
            if (!old.Seek(at) || !ReadFully(old, buffer.data(), buffer.size()) ||
                !writer.AddRaw(buffer.data(), buffer.size())) {
                problem = "cannot copy the existing archive's members: " + archive;
                return false;
            }
        }
        if (!old.Seek(next)) {
            problem = "the existing archive is truncated: " + archive;
            return false;
        }
        at = next;
    }
}

const char* ResultText(AddResult result)
{
    switch (result) {
    case AddResult::EmptyName:
        return "empty name";
    case AddResult::NameTooLong:
        return "name too long";
    case AddResult::TooLarge:
        return "file of 4 GiB or more";
    case AddResult::CannotRead:
        return "cannot read the file";
    case AddResult::CannotWrite:
        return "cannot write the archive";
    case AddResult::Ok:
        break;
    }
    return "failed";
}

bool AddMember(ArchiveWriter& writer, const PackInput& input, std::ostream* log, std::string& problem)
{
    FileInfo info;
    if (!StatPath(input.path, info)) {
        problem = "not found: " + input.path;
        return false;
    }
    MemberHeader member;
    member.path = input.stored;
    member.unixTime = info.unixTime;
    member.dosTime = DosTimeOf(info.unixTime);
    member.attributes = static_cast<uint8_t>(0x20 | (info.readOnly ? 0x01 : 0));
    AddResult result;
    if (input.isFolder) {
        result = writer.AddFolder(member);
    } else {
        std::unique_ptr<ByteSource> source = OpenFileSource(input.path);
        result = source ? writer.AddFile(member, *source) : AddResult::CannotRead;
    }
    if (result != AddResult::Ok) {
        problem = std::string(ResultText(result)) + ": " + input.path;
        return false;
    }
    if (log)
        *log << writer.LastMethod() << ' ' << Cp932ToNative(input.stored) << (input.isFolder ? "/" : "") << '\n';
    return true;
}

}

bool CollectInputs(const std::vector<std::string>& paths, std::vector<PackInput>& inputs, std::string& problem)
{
    for (const std::string& path : paths) {
        std::string cp932, stored;
        if (!NativeToCp932(path, cp932)) {
            problem = "a name with no Shift-JIS (CP932) form: " + path;
            return false;
        }
        if (!NormalizeStored(cp932, stored)) {
            problem = "a name an archive may not hold: " + path;
            return false;
        }
        std::string native = path;
        while (native.size() > 1 && (native.back() == '/' || native.back() == '\\'))
            native.pop_back();
        if (!AddTree(native, stored, inputs, problem))
            return false;
    }
    return true;
}

bool CollectFolderContents(const std::string& folder, std::vector<PackInput>& inputs, std::string& problem)
{
    std::vector<std::string> names;
    if (!ListFolder(folder, names)) {
        problem = "cannot read the folder " + folder;
        return false;
    }
    for (const std::string& name : names) {
        std::string cp932;
        if (!NativeToCp932(name, cp932)) {
            problem = "a name with no Shift-JIS (CP932) form: " + folder + "/" + name;
            return false;
        }
        if (!AddTree(folder + "/" + name, cp932, inputs, problem))
            return false;
    }
    return true;
}

bool WriteArchiveFile(const std::string& archive, const std::vector<PackInput>& inputs, const PackOptions& options,
                      std::ostream* log, std::string& problem)
{
    std::string work = archive + kWorkFileSuffix;
    StdioOutput out;
    if (!out.Create(work)) {
        problem = "cannot create " + work;
        return false;
    }
    ArchiveWriter writer(out, options.method, options.level);
    std::set<std::string> replaced;
    for (const PackInput& input : inputs)
        replaced.insert(ComparablePath(input.stored));
    bool ok = !options.keepExisting || KeepExisting(archive, replaced, writer, problem);
    for (size_t i = 0; ok && i < inputs.size(); ++i)
        ok = AddMember(writer, inputs[i], log, problem);
    if (ok && !(writer.Finish() && out.Close())) {
        problem = "cannot write " + archive;
        ok = false;
    }
    out.Close();
    if (ok) {
        if (!RenamePath(work, archive)) {
            problem = "cannot write " + archive;
            ok = false;
        }
    }
    if (!ok)
        RemoveTree(work);
    return ok;
}

}
