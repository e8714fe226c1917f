#include "UpdateDescription.h"

#include <cstdio>
#include <memory>

#include "Cp932.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    char buffer[16384];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, n);
    return true;
}

} // namespace

std::vector<std::string_view> SplitTextLines(std::string_view bytes)
{
    size_t end = bytes.find('\x1A');
    if (end != std::string_view::npos)
        bytes = bytes.substr(0, end);
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        size_t stop = lf;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.push_back(bytes.substr(start, stop - start));
        start = lf + 1;
    }
    return lines;
}

bool ParseEntryLine(std::string_view line, UpdateEntry& entry)
{
    std::string_view fields[4];
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = FindChar(line, ',', pos);
        size_t end = comma == std::string_view::npos ? line.size() : comma;
        fields[i] = line.substr(pos, end - pos);
        if (fields[i].empty())
            return false;
        if (i < 3 && comma == std::string_view::npos)
            return false;
        pos = end + 1;
    }
    entry.disk = DecimalValue(fields[0]);
    entry.kind = DecimalValue(fields[1]) == 1 ? EntryKind::Archive : EntryKind::LooseFile;
    entry.name = UpperAscii(fields[2]);
    entry.subfolder = std::string(fields[3]);
    return true;
}

std::string FormatEntryLine(const UpdateEntry& entry)
{
    return std::to_string(entry.disk) + (entry.IsArchive() ? ",1," : ",0,") + entry.name + "," + entry.subfolder;
}

void DecodeLineBreaks(std::string& text)
{
    size_t pos = 0;
    for (int i = 0; i < 100; ++i) {
        pos = text.find('\t', pos);
        // A TAB with no filler byte after it cannot become a line break without growing the text.
        if (pos == std::string::npos || pos + 1 >= text.size())
            return;
        text[pos] = '\r';
        text[pos + 1] = '\n';
        pos += 2;
    }
}

void ParseUpdateDescription(std::string_view bytes, UpdateDescription& d)
{
    std::vector<std::string_view> lines = SplitTextLines(bytes);
    auto line = [&](size_t number) { return number <= lines.size() ? std::string(lines[number - 1]) : std::string(); };

    d.entries.clear();
    d.brokenEntryLines.clear();
    for (size_t i = 0; i < UpdateDescription::kKeyCount; ++i)
        d.uninstallKeys[i] = line(info::kFirstUninstallKeyLine + i);
    d.installFolder = line(info::kInstallFolderLine);
    d.seriesNumber = line(info::kSeriesNumberLine);
    d.masterAdjust = DecimalValue(line(info::kMasterAdjustLine));
    d.settingsFile = line(info::kSettingsFileLine);
    d.category = DecimalValue(line(info::kCategoryLine));
    d.versionText = line(info::kVersionLine);
    d.mainPicture = line(info::kMainPictureLine);
    d.noticePicture = line(info::kNoticePictureLine);
    d.folderPicture = line(info::kFolderPictureLine);
    d.confirmPicture = line(info::kConfirmPictureLine);
    d.noticeText = line(info::kNoticeTextLine);
    d.folderText = line(info::kFolderTextLine);
    for (size_t i = 0; i < UpdateDescription::kKeyCount; ++i)
        d.titleKeywords[i] = line(info::kFirstTitleKeywordLine + i);

    for (size_t n = info::kFirstEntryLine; n <= lines.size(); ++n) {
        UpdateEntry entry;
        if (ParseEntryLine(lines[n - 1], entry))
            d.entries.push_back(std::move(entry));
        // A line without a comma is a blank line or an author's note, not an entry written wrongly.
        else if (FindChar(lines[n - 1], ',', 0) != std::string_view::npos)
            d.brokenEntryLines.push_back(n);
    }
    DecodeLineBreaks(d.noticeText);
    DecodeLineBreaks(d.folderText);
}

bool LoadUpdateDescription(UpdateDescription& description, const std::string& programDirectory)
{
    description.entries.clear();
    description.brokenEntryLines.clear();
    std::string bytes;
    if (!ReadWholeFile(programDirectory + info::kDescriptionFile, bytes))
        return false;
    ParseUpdateDescription(bytes, description);
    return true;
}
