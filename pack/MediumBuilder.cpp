#include "MediumBuilder.h"

#include "ArchiveBuilder.h"
#include "Description.h"
#include "NativeFiles.h"
#include "SafeName.h"
#include "StdioFile.h"

#include "Cp932.h"
#include "Sha256.h"
#include "UpdateDescription.h"
#include "WorkFile.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace pack {
namespace {

constexpr uint64_t kCluster = 512; // a floppy's allocation unit: every file takes whole ones
constexpr size_t kMaxField = 31;   // bytes of each field of an entry line (the wizard's record)
constexpr size_t kMaxEntries = 100;
constexpr size_t kMaxLineBreaks = 100; // the wizard decodes the first 100

uint64_t OnDisk(uint64_t size) { return (size + kCluster - 1) / kCluster * kCluster; }

// A floppy's root folder has room for a fixed number of entries: 224 on 1.2 and 1.44 MB disks, 112 on smaller.
size_t RootEntryLimit(uint64_t diskSize) { return diskSize >= 1228800 ? 224 : 112; }

// The root-folder entries a name takes on FAT: one for an upper-case 8.3 name, and one more for each 13
// characters of a long name (any other name, a Japanese one too). Only the first part of a path counts: a
// loose file in a subfolder takes the subfolder's entry.
size_t RootEntries(const std::string& nativePath)
{
    std::string cp932, first = nativePath.substr(0, nativePath.find('/'));
    if (!lzh::NativeToCp932(first, cp932))
        cp932 = first;
    size_t chars = 0, dot = std::string::npos;
    bool shortName = true;
    for (size_t i = 0; i < cp932.size(); i += CharLength(cp932, i), ++chars) {
        char c = cp932[i];
        if (c == '.' && dot == std::string::npos)
            dot = chars;
        else if (CharLength(cp932, i) != 1 || !((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
            shortName = false;
    }
    shortName = shortName && (dot == std::string::npos ? chars <= 8 : dot >= 1 && dot <= 8 && chars - dot - 1 <= 3);
    return shortName ? 1 : 1 + (chars + 12) / 13;
}

// The bytes a file's line takes in the disk's SHA256SUMS: the digest in hex, two spaces, the UTF-8 name, LF.
uint64_t ListLineBytes(const std::string& nativeName) { return 64 + 2 + NativeNameToUtf8(nativeName).size() + 1; }

// The mark of a later disk that holds the START entry, START.lzh.
const std::string kStartMarker = std::string(info::kStartArchive) + info::kArchiveExtension;

std::string UpperAsciiBytes(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

// One file of the medium: where it comes from and its name on the disk (native, '/' inside).
struct MediumFile {
    std::string from; // native path; empty for info.txt
    std::string name; // native, relative to the disk's root
    uint64_t size = 0;
};

struct Item {
    int line = 0;
    UpdateEntry entry; // as info.txt writes it: name and subfolder in CP932, the disk once laid out
    std::vector<MediumFile> files;
    bool start = false;
};

class Builder {
public:
    Builder(const PackOptions& options, std::ostream& out) : m_options(options), m_out(out) {}

    bool Run(const MediumCheck& check);
    const Refusal& Problem() const { return m_refusal; }

private:
    bool Refuse(int line, const std::string& reason)
    {
        m_refusal = {line, reason};
        return false;
    }
    std::string SourcePath(const std::string& utf8Relative) const
    {
        return m_options.source + "/" + lzh::Utf8ToNative(utf8Relative);
    }
    bool ToCp932(const std::string& utf8, int line, const std::string& what, std::string& cp932);
    bool ReadDescription();
    bool PrepareOutput();
    bool CheckAndMove(const MediumCheck& check);
    void PrintDisks() const;
    bool PrepareHeader();
    bool PrepareText(const std::string& text, int firstLine, const char* what, std::string& encoded);
    bool PrepareEntries();
    bool PreparePicture(size_t infoLine, std::set<std::string>& copied);
    bool PrepareArchive(const std::string& name, Item& item);
    bool PrepareLooseFile(const std::string& name, Item& item);
    bool BuildArchives();
    bool LayOut();
    bool WriteDisks();
    bool WriteChecksumLists();
    std::string InfoText() const;
    std::string DiskFolder(int disk) const
    {
        return m_options.split ? m_staging + "/disk" + std::to_string(disk) : m_staging;
    }

    const PackOptions& m_options;
    std::ostream& m_out;
    Refusal m_refusal;
    SourceMedium m_source;
    // The header lines of info.txt, before its entries.
    std::vector<std::string> m_info = std::vector<std::string>(info::kFirstEntryLine - 1);
    std::string& Line(size_t number) { return m_info[number - 1]; }
    std::vector<MediumFile> m_diskOne; // Parvel.exe and the pictures
    std::vector<Item> m_items;
    std::string m_staging;
    int m_diskCount = 1;
    int m_startDisk = 0; // the disk of the START entry, when it needs the START.lzh marker
};

bool Builder::ToCp932(const std::string& utf8, int line, const std::string& what, std::string& cp932)
{
    if (!lzh::Utf8ToCp932(utf8, cp932))
        return Refuse(line, what + " has a character that code page 932 (Shift-JIS) does not have");
    if (cp932.find('\x1A') != std::string::npos)
        return Refuse(line, what + " holds the byte 0x1A, which ends info.txt");
    return true;
}

bool Builder::PrepareText(const std::string& text, int firstLine, const char* what, std::string& encoded)
{
    size_t breaks = 0;
    size_t start = 0;
    for (int line = firstLine;; ++line) {
        size_t end = text.find('\n', start);
        std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string cp932;
        if (!ToCp932(part, line, what, cp932))
            return false;
        if (cp932.find('\t') != std::string::npos)
            return Refuse(line, std::string(what) + " holds a TAB, which the wizard shows as a line break");
        encoded += cp932;
        if (end == std::string::npos)
            break;
        // A line break is a TAB and one filler byte in info.txt.
        encoded += "\t.";
        if (++breaks > kMaxLineBreaks)
            return Refuse(line, std::string(what) + " has more than 100 line breaks: the wizard shows only 100");
        start = end + 1;
    }
    return true;
}

bool Builder::PreparePicture(size_t infoLine, std::set<std::string>& copied)
{
    const std::string& picture = m_source.Line(infoLine);
    if (picture.empty())
        return true;
    int line = m_source.SourceOf(infoLine);
    const char* key = SettingOfLine(infoLine)->key;
    std::string path = SourcePath(picture);
    lzh::FileInfo info;
    if (!lzh::StatPath(path, info) || info.isFolder)
        return Refuse(line, "no picture file " + picture + " in the source folder");
    std::string name = picture.substr(picture.find_last_of("/\\") + 1);
    if (!ToCp932(name, line, key, Line(infoLine)))
        return false;
    if (copied.insert(name).second)
        m_diskOne.push_back({path, lzh::Utf8ToNative(name), info.size});
    return true;
}

// Line by line, but the two texts last, as their messages name lines of their own sections.
bool Builder::PrepareHeader()
{
    std::set<std::string> copied;
    for (size_t n = 1; n < info::kFirstEntryLine; ++n) {
        const Setting* setting = SettingOfLine(n);
        if (!setting)
            continue;
        if (n >= info::kMainPictureLine && n <= info::kConfirmPictureLine) {
            if (!PreparePicture(n, copied))
                return false;
            continue;
        }
        const std::string& value = m_source.Line(n);
        int line = m_source.SourceOf(n);
        if (setting->number && !value.empty() &&
            !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return Refuse(line, std::string(setting->key) + " must be a number");
        if (!ToCp932(value, line, setting->key, Line(n)))
            return false;
    }
    return PrepareText(m_source.Line(info::kNoticeTextLine), m_source.SourceOf(info::kNoticeTextLine), "the notice text",
                       Line(info::kNoticeTextLine)) &&
           PrepareText(m_source.Line(info::kFolderTextLine), m_source.SourceOf(info::kFolderTextLine),
                       "the folder page's text", Line(info::kFolderTextLine));
}

// The payload folders of the START entry: START1, START2, ... (START0 and START99 too), one per edition.
std::vector<std::string> StartFolders(const std::string& source)
{
    std::vector<std::string> names, found;
    lzh::ListFolder(source, names);
    for (const std::string& name : names) {
        std::string upper = UpperAsciiBytes(name);
        lzh::FileInfo info;
        const std::string start = info::kStartArchive;
        if (upper.size() > start.size() && upper.compare(0, start.size(), start) == 0 &&
            std::all_of(upper.begin() + static_cast<std::ptrdiff_t>(start.size()), upper.end(),
                        [](char c) { return c >= '0' && c <= '9'; }) &&
            lzh::StatPath(source + "/" + name, info) && info.isFolder)
            found.push_back(name);
    }
    return found;
}

bool Builder::PrepareArchive(const std::string& name, Item& item)
{
    std::string upper = UpperAsciiBytes(name);
    std::vector<std::string> parts;
    if (!ToCp932(upper, item.line, "the archive's name", item.entry.name))
        return false;
    if (upper.find_first_of("/\\,") != std::string::npos ||
        !lzh::SplitStoredPath(item.entry.name + info::kArchiveExtension, lzh::Layout::Flat, parts))
        return Refuse(item.line, "\"" + name + "\" cannot be the name of an archive file");
    item.start = upper == info::kStartArchive;
    std::vector<std::string> folders;
    if (item.start) {
        folders = StartFolders(m_options.source);
        if (folders.empty())
            return Refuse(item.line, "no payload folder START1 (START2, ... one per edition) for the START entry");
    } else {
        lzh::FileInfo info;
        if (!lzh::StatPath(SourcePath(name), info) || !info.isFolder)
            return Refuse(item.line, "no payload folder " + name + " in the source folder");
        folders.push_back(lzh::Utf8ToNative(name));
    }
    for (const std::string& folder : folders) {
        std::vector<lzh::PackInput> inputs;
        std::string problem;
        if (!lzh::CollectFolderContents(m_options.source + "/" + folder, inputs, problem))
            return Refuse(item.line, problem);
        // The wizard extracts with e: only the last part of each name counts, so two equal ones collide.
        std::map<std::string, std::string> names;
        size_t files = 0;
        for (const lzh::PackInput& input : inputs) {
            if (input.isFolder)
                continue;
            ++files;
            std::string last = UpperAscii(input.stored.substr(input.stored.rfind('/') + 1));
            if (!names.insert({last, input.stored}).second)
                return Refuse(item.line, "two files of the same name in " + folder + " (" +
                                          lzh::Cp932ToNative(names[last]) + ", " + lzh::Cp932ToNative(input.stored) +
                                          "): the update puts every file of an archive into one folder");
        }
        if (files == 0)
            return Refuse(item.line, "the payload folder " + folder + " holds no file");
        item.files.push_back({m_options.source + "/" + folder, UpperAsciiBytes(folder) + info::kArchiveExtension, 0});
    }
    return true;
}

bool Builder::PrepareLooseFile(const std::string& name, Item& item)
{
    std::string cp932;
    if (!ToCp932(name, item.line, "the file's name", cp932))
        return false;
    std::vector<std::string> parts;
    if (cp932.find(',') != std::string::npos || !lzh::SplitStoredPath(cp932, lzh::Layout::WithFolders, parts))
        return Refuse(item.line, "\"" + name + "\" cannot be the name of a file on the medium");
    std::string native;
    for (const std::string& part : parts) {
        item.entry.name += (item.entry.name.empty() ? "" : "\\") + part;
        native += (native.empty() ? "" : "/") + lzh::Cp932ToNative(part);
    }
    lzh::FileInfo info;
    if (!lzh::StatPath(m_options.source + "/" + native, info) || info.isFolder)
        return Refuse(item.line, "no file " + name + " in the source folder");
    item.files.push_back({m_options.source + "/" + native, native, info.size});
    return true;
}

bool Builder::PrepareEntries()
{
    const SourceMedium& d = m_source;
    if (d.entries.size() > kMaxEntries)
        return Refuse(d.entrySources[kMaxEntries], "more than 100 entries: the wizard reads 100");
    std::map<std::string, int> seen;
    for (size_t i = 0; i < d.entries.size(); ++i) {
        const UpdateEntry& e = d.entries[i];
        Item item;
        item.line = d.entrySources[i];
        item.entry.kind = e.kind;
        item.entry.disk = 1;
        if (!(e.IsArchive() ? PrepareArchive(e.name, item) : PrepareLooseFile(e.name, item)))
            return false;
        if (item.entry.name.size() > kMaxField)
            return Refuse(item.line, "the name is longer than the 31 bytes an entry's field holds");
        if (!ToCp932(e.subfolder, item.line, "the subfolder", item.entry.subfolder))
            return false;
        const std::string& subfolder = item.entry.subfolder;
        if (subfolder.size() > kMaxField)
            return Refuse(item.line, "the subfolder is longer than the 31 bytes an entry's field holds");
        if (subfolder[0] != '\\' || !EndsWithSeparator(subfolder) || subfolder.find(',') != std::string::npos)
            return Refuse(item.line, "the subfolder must start and end with \\ (\\ alone is the installation folder)");
        std::string key = std::string(e.IsArchive() ? "a" : "f") + UpperAscii(item.entry.name);
        if (auto [at, fresh] = seen.insert({key, item.line}); !fresh)
            return Refuse(item.line, e.name + " is already listed on line " + std::to_string(at->second));
        m_items.push_back(item);
    }
    return true;
}

bool Builder::BuildArchives()
{
    if (!lzh::MakeFolder(m_staging + "/archives"))
        return Refuse(0, "cannot create " + m_staging);
    for (Item& item : m_items) {
        if (!item.entry.IsArchive())
            continue;
        for (MediumFile& file : item.files) {
            std::vector<lzh::PackInput> inputs;
            std::string problem;
            lzh::PackOptions options;
            options.method = m_options.method;
            options.keepExisting = false;
            std::string archive = m_staging + "/archives/" + file.name;
            if (!lzh::CollectFolderContents(file.from, inputs, problem) ||
                !lzh::WriteArchiveFile(archive, inputs, options, nullptr, problem))
                return Refuse(item.line, problem);
            lzh::FileInfo info;
            lzh::StatPath(archive, info);
            file.from = archive;
            file.size = info.size;
            m_out << "  " << file.name << ": " << inputs.size() << " members, " << info.size << " bytes\n";
        }
    }
    return true;
}

std::string Builder::InfoText() const
{
    std::string text;
    for (const std::string& line : m_info)
        text += line + "\r\n";
    for (const Item& item : m_items)
        text += FormatEntryLine(item.entry) + "\r\n";
    return text;
}

// Entries go onto the disks in their order, each on the disk of the one before or a later one (the wizard asks
// for the disks in the order of the entries); disk 1 starts with Parvel.exe, info.txt and the pictures. A disk
// is full when its bytes, in whole clusters, or its root folder's entries run out.
bool Builder::LayOut()
{
    if (!m_options.split)
        return true;
    const size_t entryLimit = RootEntryLimit(m_options.diskSize);
    // info.txt's size depends on the disk numbers in it: lay out until it no longer changes.
    for (int round = 0; round < 4; ++round) {
        uint64_t infoSize = InfoText().size();
        int disk = 1;
        uint64_t used = OnDisk(infoSize);
        // Every disk has its SHA256SUMS: a root entry of its own, and a line for each file on the disk.
        const size_t listEntries = RootEntries(kChecksumListName);
        uint64_t listBytes = ListLineBytes(info::kDescriptionFile);
        std::set<std::string> root = {info::kDescriptionFile};
        size_t entries = RootEntries(info::kDescriptionFile) + listEntries;
        for (const MediumFile& f : m_diskOne) {
            used += OnDisk(f.size);
            listBytes += ListLineBytes(f.name);
            if (root.insert(f.name).second)
                entries += RootEntries(f.name);
        }
        if (used + OnDisk(listBytes) > m_options.diskSize || entries > entryLimit)
            return Refuse(0, "Parvel.exe, info.txt and the pictures do not fit on disk 1");
        m_startDisk = 0;
        for (Item& item : m_items) {
            uint64_t need = 0;
            size_t needEntries = item.start ? 1 : 0; // the START archive's marker on a later disk
            uint64_t needList = item.start ? ListLineBytes(kStartMarker) : 0;
            std::set<std::string> names;
            for (const MediumFile& f : item.files) {
                need += OnDisk(f.size) + (f.name.find('/') != std::string::npos ? kCluster : 0);
                needList += ListLineBytes(f.name);
                std::string first = f.name.substr(0, f.name.find('/'));
                if (!root.count(first) && names.insert(first).second)
                    needEntries += RootEntries(first);
            }
            uint64_t marker = item.start ? kCluster : 0;
            if (used + need + (disk > 1 ? marker : 0) + OnDisk(listBytes + needList) > m_options.diskSize ||
                entries + needEntries > entryLimit) {
                ++disk;
                used = 0;
                listBytes = 0;
                entries = listEntries;
                root.clear();
                if (need + marker + OnDisk(needList) > m_options.diskSize)
                    return Refuse(item.line, "the entry's files (" + std::to_string(need) +
                                                 " bytes on disk) are larger than a disk (" +
                                                 std::to_string(m_options.diskSize) + " bytes)");
                if (needEntries + listEntries > entryLimit)
                    return Refuse(item.line, "the entry's names need more entries than a disk's root folder holds");
            }
            if (item.start && disk > 1) {
                m_startDisk = disk;
                used += marker;
            }
            used += need;
            listBytes += needList - (item.start && disk == 1 ? ListLineBytes(kStartMarker) : 0);
            for (const MediumFile& f : item.files)
                if (root.insert(f.name.substr(0, f.name.find('/'))).second)
                    entries += RootEntries(f.name);
            entries += item.start && disk > 1 ? 1 : 0;
            item.entry.disk = disk;
        }
        m_diskCount = disk;
        if (InfoText().size() == infoSize)
            return true;
    }
    return true;
}

// The marker archive: a valid archive with one empty member, as the wizard only looks for the file.
bool WriteMarker(const std::string& path)
{
    lzh::StdioOutput out;
    if (!out.Create(path))
        return false;
    lzh::ArchiveWriter writer(out, lzh::Method::Lh0, 2);
    lzh::MemberHeader member;
    member.path = std::string(info::kStartArchive) + ".TXT";
    uint8_t none = 0;
    MemorySource empty(&none, 0);
    return writer.AddFile(member, empty) == lzh::AddResult::Ok && writer.Finish() && out.Close();
}

bool Builder::WriteDisks()
{
    for (int disk = 1; disk <= m_diskCount; ++disk)
        if (!lzh::MakeFolder(DiskFolder(disk)))
            return Refuse(0, "cannot create " + DiskFolder(disk));
    std::string one = DiskFolder(1);
    std::string info = InfoText();
    std::string infoPath = one + "/" + info::kDescriptionFile;
    std::FILE* f = std::fopen(infoPath.c_str(), "wb");
    bool ok = f && std::fwrite(info.data(), 1, info.size(), f) == info.size();
    if (f && std::fclose(f) != 0)
        ok = false;
    if (!ok)
        return Refuse(0, "cannot write " + infoPath);
    for (const MediumFile& file : m_diskOne)
        if (!lzh::CopyFileBytes(file.from, one + "/" + file.name))
            return Refuse(0, "cannot copy " + file.from);
    for (const Item& item : m_items) {
        std::string folder = DiskFolder(item.entry.disk);
        for (const MediumFile& file : item.files) {
            size_t slash = 0;
            while ((slash = file.name.find('/', slash)) != std::string::npos)
                lzh::MakeFolder(folder + "/" + file.name.substr(0, slash++));
            bool moved = item.entry.IsArchive() ? lzh::RenamePath(file.from, folder + "/" + file.name)
                                      : lzh::CopyFileBytes(file.from, folder + "/" + file.name);
            if (!moved)
                return Refuse(item.line, "cannot write " + folder + "/" + file.name);
        }
    }
    std::string marker = std::string(info::kStartArchive) + info::kArchiveExtension;
    if (m_startDisk > 1 && !WriteMarker(DiskFolder(m_startDisk) + "/" + marker))
        return Refuse(0, "cannot write " + marker);
    lzh::RemoveTree(m_staging + "/archives");
    return WriteChecksumLists();
}

// Each disk's SHA256SUMS lists every file on it: sha256sum -c checks the disk by hand, and Parvel.exe and
// parvel-check check each file they read against it.
bool Builder::WriteChecksumLists()
{
    for (int disk = 1; disk <= m_diskCount; ++disk) {
        std::vector<std::string> names;
        if (disk == 1) {
            names.push_back(info::kDescriptionFile);
            for (const MediumFile& file : m_diskOne)
                names.push_back(file.name);
        }
        for (const Item& item : m_items)
            for (const MediumFile& file : item.files)
                if (item.entry.disk == disk || !m_options.split)
                    names.push_back(file.name);
        if (disk == m_startDisk)
            names.push_back(kStartMarker);
        std::vector<ChecksumLine> lines;
        for (const std::string& name : names) {
            lines.push_back({NativeNameToUtf8(name), {}});
            if (!Sha256OfFile(DiskFolder(disk) + "/" + name, lines.back().digest))
                return Refuse(0, "cannot read " + DiskFolder(disk) + "/" + name);
        }
        std::string text = WriteSha256Sums(lines);
        std::FILE* f = std::fopen((DiskFolder(disk) + "/" + kChecksumListName).c_str(), "wb");
        bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
        if ((f && std::fclose(f) != 0) || !ok)
            return Refuse(0, "cannot write " + DiskFolder(disk) + "/" + kChecksumListName);
    }
    return true;
}

bool Builder::ReadDescription()
{
    std::string text;
    std::FILE* f = std::fopen((m_options.source + "/" + kDescriptionName).c_str(), "rb");
    if (!f) {
        m_refusal = {0, "cannot read the description", true};
        return false;
    }
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    return ParseDescription(text, m_source, m_refusal);
}

// Parvel.exe goes first on disk 1; OUT must be new or an empty folder.
bool Builder::PrepareOutput()
{
    std::string exe = m_options.exe.empty() ? m_options.source + "/" + info::kProgramFile : m_options.exe;
    lzh::FileInfo info;
    if (!lzh::StatPath(exe, info) || info.isFolder)
        return Refuse(0, "no Parvel.exe: put it into the source folder or name it with --exe=FILE");
    m_diskOne.insert(m_diskOne.begin(), {exe, info::kProgramFile, info.size});
    std::vector<std::string> names;
    if (lzh::StatPath(m_options.out, info) && (!info.isFolder || !lzh::ListFolder(m_options.out, names) || !names.empty()))
        return Refuse(0, m_options.out + " exists already: parvel-pack writes a new medium into a new or empty folder");
    m_staging = m_options.out + kWorkFileSuffix;
    lzh::RemoveTree(m_staging);
    return lzh::MakeFolder(m_staging) || Refuse(0, "cannot create " + m_staging);
}

bool Builder::CheckAndMove(const MediumCheck& check)
{
    std::vector<std::string> disks;
    for (int disk = 1; disk <= m_diskCount; ++disk)
        disks.push_back(DiskFolder(disk));
    m_out << "parvel-pack: checking the medium as parvel-check does\n";
    if (!check(disks, m_out))
        return Refuse(0, "the built medium did not pass parvel-check (its findings are above)");
    lzh::RemoveTree(m_options.out); // an empty folder
    return lzh::RenamePath(m_staging, m_options.out) || Refuse(0, "cannot move the medium to " + m_options.out);
}

void Builder::PrintDisks() const
{
    for (int disk = 1; disk <= m_diskCount; ++disk) {
        m_out << (m_options.split ? "disk" + std::to_string(disk) + ":" : std::string("medium:"));
        if (disk == 1)
            m_out << ' ' << info::kProgramFile << ' ' << info::kDescriptionFile;
        for (const Item& item : m_items)
            if (item.entry.disk == disk)
                for (const MediumFile& file : item.files)
                    m_out << ' ' << file.name;
        if (disk == m_startDisk)
            m_out << ' ' << kStartMarker;
        m_out << ' ' << kChecksumListName << '\n';
    }
}

bool Builder::Run(const MediumCheck& check)
{
    if (!ReadDescription() || !PrepareHeader() || !PrepareEntries() || !PrepareOutput())
        return false;
    m_out << "parvel-pack: archiving the payload (" << lzh::MethodId(m_options.method) << ")\n";
    if (!(BuildArchives() && LayOut() && WriteDisks() && CheckAndMove(check))) {
        lzh::RemoveTree(m_staging);
        return false;
    }
    PrintDisks();
    return true;
}

}

const char kPackUsage[] =
    "usage: parvel-pack [--disk-size[=BYTES]] [--method=lh0|lh5|lh6|lh7] [--exe=FILE] SOURCE OUT\n"
    "  SOURCE holds medium.txt (the description, UTF-8), the payload folders, the loose files and the pictures.\n"
    "  OUT becomes the medium: one folder, or with --disk-size disk1/, disk2/, ... of at most BYTES each\n"
    "  (1457664 bytes, a 1.44 MB floppy disk, when BYTES is left out).\n";

bool ParsePackArguments(const std::vector<std::string>& args, PackOptions& options)
{
    options = PackOptions{};
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (a == "--disk-size") {
            options.split = true;
        } else if (a.compare(0, 12, "--disk-size=") == 0) {
            std::string v = a.substr(12);
            if (v.empty() || v.size() > 15 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return false;
            options.split = true;
            options.diskSize = std::stoull(v);
            if (options.diskSize < 64 * 1024)
                return false;
        } else if (a.compare(0, 9, "--method=") == 0) {
            if (!lzh::ParseMethod(a.substr(9), options.method))
                return false;
        } else if (a.compare(0, 6, "--exe=") == 0 && a.size() > 6) {
            options.exe = a.substr(6);
        } else if (a.size() > 1 && a[0] == '-') {
            return false;
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 2)
        return false;
    options.source = paths[0];
    options.out = paths[1];
    for (std::string* p : {&options.source, &options.out})
        while (p->size() > 1 && (p->back() == '/' || p->back() == '\\'))
            p->pop_back();
    return true;
}

int BuildMedium(const PackOptions& options, const MediumCheck& check, std::ostream& out, std::ostream& err)
{
    Builder builder(options, out);
    if (builder.Run(check))
        return 0;
    const Refusal& r = builder.Problem();
    std::string where = r.line > 0 || r.aboutDescription
                            ? options.source + "/" + kDescriptionName + (r.line > 0 ? ":" + std::to_string(r.line) : "") + ": "
                            : std::string();
    err << "parvel-pack: " << where << r.reason << "; nothing written to " << options.out << '\n';
    return 1;
}

}
