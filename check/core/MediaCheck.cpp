#include "MediaCheck.h"

#include "ArchiveVerdict.h"
#include "BitmapReader.h"
#include "Cp932.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using info::kFirstEntryLine;
constexpr size_t kMaxLineBreaks = 100;
const std::string kInfoFile = info::kDescriptionFile;

bool IsStartArchive(const UpdateEntry& entry)
{
    return entry.IsArchive() && SplitPath(entry.name).name == info::kStartArchive;
}

bool IsBlank(std::string_view line)
{
    return line.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
}

// A number as the decimal conversion reads it all: white space, a sign, digits, white space.
bool ReadsAsNumber(std::string_view text)
{
    size_t i = text.find_first_not_of(" \t\r\n\f\v");
    if (i == std::string_view::npos)
        return false;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i > digits && IsBlank(text.substr(i));
}

class MediumChecker {
public:
    MediumChecker(MediaFiles& media, MediumReport& report) : m_media(media), m_report(report) {}
    void Run();

private:
    struct Located {
        size_t line;
        UpdateEntry entry;
        size_t disk; // index into the medium's disks
    };

    void Add(Severity severity, TextId id, size_t disk, const std::string& file, size_t line,
             std::vector<std::string> args = {})
    {
        m_report.findings.push_back({severity, id, disk, file, line, std::move(args)});
    }
    void InfoWarning(TextId id, size_t line, std::vector<std::string> args = {})
    {
        Add(Severity::Warning, id, 0, kInfoFile, line, std::move(args));
    }
    std::string Where(size_t disk) const
    {
        return m_media.DiskCount() == 1 ? FormatText(TextId::WhereMedium)
                                        : FormatText(TextId::WhereDisk, {std::to_string(disk + 1)});
    }

    void CheckLines(const std::vector<std::string_view>& lines);
    void CheckHeader(const std::vector<std::string_view>& lines);
    void CheckNumber(size_t line, const std::string& text);
    void CheckPageText(size_t line, std::string_view raw);
    void CheckPictures();
    std::vector<Located> LocateEntries(const std::vector<std::string_view>& lines);
    void CheckEntry(const Located& located);
    void CheckDiskPrompts(const std::vector<Located>& entries);
    void CheckEditions(const std::vector<Located>& entries);
    std::vector<MediumEdition> EditionsOf(std::vector<size_t>& lines) const;
    bool ArchivePasses(size_t disk, const std::string& file);

    MediaFiles& m_media;
    MediumReport& m_report;
    std::map<std::pair<size_t, std::string>, bool> m_tested; // archives already tested, and whether they passed
};

void MediumChecker::Run()
{
    m_report.diskCount = m_media.DiskCount();
    std::unique_ptr<ByteSource> info = m_media.Open(0, kInfoFile);
    if (!info) {
        Add(Severity::Error, TextId::InfoMissing, 0, kInfoFile, 0);
        return;
    }
    m_report.infoRead = true;
    std::string bytes = ReadRest(*info);
    ParseUpdateDescription(bytes, m_report.description);
    std::vector<std::string_view> lines = SplitTextLines(bytes);
    CheckHeader(lines);
    CheckPictures();
    CheckLines(lines);
    std::vector<Located> entries = LocateEntries(lines);
    for (const Located& located : entries)
        CheckEntry(located);
    CheckDiskPrompts(entries);
    CheckEditions(entries);
}

void MediumChecker::CheckLines(const std::vector<std::string_view>& lines)
{
    for (size_t n : m_report.description.brokenEntryLines)
        Add(Severity::Error, TextId::BrokenEntryLine, 0, kInfoFile, n);
    for (size_t n = kFirstEntryLine; n <= lines.size(); ++n) {
        std::string_view line = lines[n - 1];
        if (FindChar(line, ',') == std::string_view::npos && !IsBlank(line))
            InfoWarning(TextId::SkippedLine, n);
    }
}

void MediumChecker::CheckHeader(const std::vector<std::string_view>& lines)
{
    const UpdateDescription& d = m_report.description;
    // The numbers as written: the description holds their values.
    auto text = [&](size_t n) { return n <= lines.size() ? std::string(lines[n - 1]) : std::string(); };
    CheckNumber(info::kMasterAdjustLine, text(info::kMasterAdjustLine));
    if (d.masterAdjust != info::kPlainUpdate && d.masterAdjust != info::kConvertMasters)
        InfoWarning(TextId::MasterAdjustNoEffect, info::kMasterAdjustLine, {text(info::kMasterAdjustLine)});
    if (d.settingsFile.empty())
        InfoWarning(TextId::SettingsFileEmpty, info::kSettingsFileLine);
    else if (d.settingsFile != info::kSearchSettingsFile && UpperAscii(d.settingsFile) == info::kSearchSettingsFile)
        InfoWarning(TextId::SettingsFileNotNull, info::kSettingsFileLine, {d.settingsFile});
    if (!text(info::kCategoryLine).empty()) {
        CheckNumber(info::kCategoryLine, text(info::kCategoryLine));
        if (d.category < 1 || d.category > 4)
            InfoWarning(TextId::CategoryNoEffect, info::kCategoryLine, {text(info::kCategoryLine)});
    }
    // The texts as written: the description holds them with their line breaks decoded.
    for (size_t n : {info::kNoticeTextLine, info::kFolderTextLine})
        CheckPageText(n, n <= lines.size() ? lines[n - 1] : std::string_view());
}

void MediumChecker::CheckNumber(size_t line, const std::string& text)
{
    if (!text.empty() && !ReadsAsNumber(text))
        InfoWarning(TextId::NotANumber, line, {text, std::to_string(DecimalValue(text))});
}

void MediumChecker::CheckPageText(size_t line, std::string_view raw)
{
    size_t tabs = 0;
    for (char c : raw)
        tabs += c == '\t' ? 1 : 0;
    if (tabs > kMaxLineBreaks)
        InfoWarning(TextId::TextTooManyTabs, line, {std::to_string(tabs)});
    else if (!raw.empty() && raw.back() == '\t')
        InfoWarning(TextId::TextTrailingTab, line);
}

void MediumChecker::CheckPictures()
{
    const UpdateDescription& d = m_report.description;
    const std::pair<size_t, const std::string*> pictures[] = {
        {22, &d.mainPicture}, {23, &d.noticePicture}, {24, &d.folderPicture}, {25, &d.confirmPicture}};
    std::set<std::string> seen;
    for (const auto& [line, name] : pictures) {
        // No name, no picture: the author chose an empty area.
        if (name->empty() || !seen.insert(UpperAscii(*name)).second)
            continue;
        std::unique_ptr<ByteSource> file = m_media.Open(0, *name);
        if (!file) {
            Add(Severity::Error, TextId::PictureMissing, 0, kInfoFile, line, {*name, Where(0)});
            continue;
        }
        std::vector<uint8_t> block;
        uint32_t bitsOffset = 0;
        if (!ReadBitmapFile(*file, block, bitsOffset))
            Add(Severity::Error, TextId::PictureUnpaintable, 0, *name, 0);
    }
}

// The entries with their lines: the lines that the wizard's own parser takes.
std::vector<MediumChecker::Located> MediumChecker::LocateEntries(const std::vector<std::string_view>& lines)
{
    std::vector<Located> entries;
    size_t diskCount = m_media.DiskCount();
    for (size_t n = kFirstEntryLine; n <= lines.size(); ++n) {
        UpdateEntry entry;
        if (!ParseEntryLine(lines[n - 1], entry))
            continue;
        // A medium in one folder holds every entry, whatever its disk number: the wizard asks for no disk.
        if (diskCount > 1 && (entry.disk < 1 || static_cast<size_t>(entry.disk) > diskCount)) {
            Add(Severity::Error, TextId::DiskNotGiven, 0, kInfoFile, n,
                {std::to_string(entry.disk), entry.name});
            continue;
        }
        size_t disk = diskCount > 1 ? static_cast<size_t>(entry.disk) - 1 : 0;
        entries.push_back({n, std::move(entry), disk});
    }
    return entries;
}

void MediumChecker::CheckEntry(const Located& located)
{
    const UpdateEntry& entry = located.entry;
    if (!entry.IsArchive()) {
        if (!m_media.Open(located.disk, entry.name))
            Add(Severity::Error, TextId::LooseFileMissing, 0, kInfoFile, located.line,
                {entry.name, Where(located.disk)});
        return;
    }
    // The START archive of each edition is checked with the editions.
    if (IsStartArchive(entry))
        return;
    std::string file = entry.name + info::kArchiveExtension;
    if (!m_media.Exists(located.disk, file)) {
        Add(Severity::Error, TextId::ArchiveMissing, 0, kInfoFile, located.line, {file, Where(located.disk)});
        return;
    }
    ArchivePasses(located.disk, file);
}

bool MediumChecker::ArchivePasses(size_t disk, const std::string& file)
{
    auto key = std::make_pair(disk, UpperAscii(file));
    auto known = m_tested.find(key);
    if (known != m_tested.end())
        return known->second;
    std::unique_ptr<ByteSource> source = m_media.Open(disk, file);
    Finding finding{Severity::Error, TextId::ArchiveUnreadable, disk, file, 0, {}};
    bool passes = source && TestMediaArchive(*source, finding);
    if (!passes)
        m_report.findings.push_back(std::move(finding));
    m_tested[key] = passes;
    return passes;
}

// The disk prompt waits for the entry's own file, but for START before the edition's number is added: that
// START.lzh marks the disk and is never extracted. Only media of several disks are asked for.
void MediumChecker::CheckDiskPrompts(const std::vector<Located>& entries)
{
    if (m_media.DiskCount() < 2)
        return;
    int currentDisk = 1;
    for (const Located& located : entries) {
        const UpdateEntry& entry = located.entry;
        if (entry.disk == 1 || entry.disk == currentDisk)
            continue;
        currentDisk = entry.disk;
        std::string marker = entry.name + info::kArchiveExtension;
        if (IsStartArchive(entry) && !m_media.Exists(located.disk, marker))
            InfoWarning(TextId::PromptNeverEnds, located.line, {std::to_string(entry.disk), marker});
    }
}

std::vector<MediumEdition> MediumChecker::EditionsOf(std::vector<size_t>& lines) const
{
    const UpdateDescription& d = m_report.description;
    std::vector<MediumEdition> editions;
    if (UpperAscii(d.settingsFile) == "PEMIRAZ1.INI") {
        editions = {{Edition(Edition::kMakerOne), FormatText(TextId::EditionMakerOne)},
                    {Edition(Edition::kMakerOther), FormatText(TextId::EditionMakerOther)}};
        lines = {info::kSettingsFileLine, info::kSettingsFileLine};
        return editions;
    }
    for (size_t i = 0; i < d.titleKeywords.size(); ++i) {
        if (d.titleKeywords[i].empty())
            continue;
        editions.push_back({Edition(static_cast<int>(i) + 1), d.titleKeywords[i]});
        lines.push_back(info::kFirstTitleKeywordLine + i);
    }
    return editions;
}

void MediumChecker::CheckEditions(const std::vector<Located>& entries)
{
    std::vector<size_t> lines;
    std::vector<MediumEdition> editions = EditionsOf(lines);
    bool first = true;
    for (const Located& located : entries) {
        if (!IsStartArchive(located.entry))
            continue;
        for (size_t i = 0; i < editions.size(); ++i) {
            std::string kind = std::to_string(editions[i].edition.Number());
            std::string file = located.entry.name + kind + info::kArchiveExtension;
            bool present = m_media.Open(located.disk, file) != nullptr;
            if (!present) {
                std::string label = !editions[i].edition.FromKeyword()
                                        ? editions[i].label
                                        : FormatText(TextId::EditionKeyword, {editions[i].label});
                InfoWarning(TextId::EditionArchiveMissing, lines[i], {kind, label, Where(located.disk)});
            }
            if (present && ArchivePasses(located.disk, file) && first)
                m_report.editions.push_back(editions[i]);
        }
        first = false;
        m_report.hasStartEntry = true;
    }
    if (!m_report.hasStartEntry)
        m_report.editions = editions;
}

} // namespace

size_t MediumReport::Count(Severity severity) const
{
    size_t count = 0;
    for (const Finding& finding : findings)
        count += finding.severity == severity ? 1 : 0;
    return count;
}

MediumReport CheckMedium(MediaFiles& media)
{
    MediumReport report;
    MediumChecker(media, report).Run();
    // info.txt in line order first, then what was found inside the files it names.
    std::stable_sort(report.findings.begin(), report.findings.end(), [](const Finding& a, const Finding& b) {
        bool aInfo = a.file == kInfoFile, bInfo = b.file == kInfoFile;
        return aInfo != bInfo ? aInfo : aInfo && a.line < b.line;
    });
    return report;
}

std::vector<std::string> SummaryLines(const MediumReport& report)
{
    size_t errors = report.Count(Severity::Error);
    size_t warnings = report.Count(Severity::Warning);
    std::vector<std::string> lines;
    if (errors > 0)
        lines.push_back(FormatText(TextId::SummaryErrors, {std::to_string(errors), std::to_string(warnings)}));
    else if (warnings > 0)
        lines.push_back(FormatText(TextId::SummaryWarnings, {std::to_string(warnings)}));
    else
        lines.push_back(FormatText(TextId::SummaryClean));
    if (!report.infoRead)
        return lines;
    lines.push_back(FormatText(TextId::SummaryCounts, {std::to_string(report.description.entryCount()),
                                                          std::to_string(report.diskCount)}));
    if (!report.hasStartEntry) {
        lines.push_back(FormatText(TextId::SummaryNoStart));
        return lines;
    }
    std::string list;
    for (const MediumEdition& edition : report.editions) {
        if (!list.empty())
            list += FormatText(TextId::ListSeparator);
        list += FormatText(TextId::EditionItem, {std::to_string(edition.edition.Number()), edition.label});
    }
    lines.push_back(FormatText(TextId::SummaryEditions,
                               {list.empty() ? FormatText(TextId::EditionListNone) : list}));
    return lines;
}
