#include "Description.h"

#include <sstream>

namespace pack {
namespace {

std::string Trim(const std::string& s)
{
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Fields separated by spaces or TABs; a field in double quotes may hold spaces (Windows names hold no quote).
// False for a quote left open.
bool Words(const std::string& s, std::vector<std::string>& words)
{
    words.clear();
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t') {
            ++i;
            continue;
        }
        std::string word;
        if (s[i] == '"') {
            size_t end = s.find('"', i + 1);
            if (end == std::string::npos)
                return false;
            word = s.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < s.size() && s[i] != ' ' && s[i] != '\t')
                word += s[i++];
        }
        words.push_back(word);
    }
    return true;
}

enum class Section { None, Medium, Notice, FolderPage, Entries };

const Setting kSettings[] = {
    {"uninstall-key", info::kFirstUninstallKeyLine, true},
    {"install-folder", info::kInstallFolderLine},
    {"series", info::kSeriesNumberLine, false, true},
    {"master-adjust", info::kMasterAdjustLine, false, true},
    {"settings-file", info::kSettingsFileLine},
    {"category", info::kCategoryLine, false, true},
    {"version", info::kVersionLine},
    {"main-picture", info::kMainPictureLine},
    {"notice-picture", info::kNoticePictureLine},
    {"folder-picture", info::kFolderPictureLine},
    {"confirm-picture", info::kConfirmPictureLine},
    {"edition", info::kFirstTitleKeywordLine, true},
};

bool ApplySetting(SourceMedium& m, const std::string& key, const std::string& value, int line, Refusal& refusal)
{
    for (const Setting& setting : kSettings) {
        if (key != setting.key)
            continue;
        if (!setting.repeated) {
            m.Give(setting.line, value, line);
            return true;
        }
        for (size_t n = setting.line; n < setting.line + UpdateDescription::kKeyCount; ++n)
            if (m.SourceOf(n) == 0) {
                m.Give(n, value, line);
                return true;
            }
        refusal = {line, setting.line == info::kFirstUninstallKeyLine
                             ? "more than 15 uninstall keys (info.txt has lines 1-15 for them)"
                             : "more than 15 editions (info.txt has lines 28-42 for them)"};
        return false;
    }
    refusal = {line, "unknown setting \"" + key + "\""};
    return false;
}

// Drops the empty lines at the end of a text.
void TrimText(std::string& text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
}

}

const Setting* SettingOfLine(size_t line)
{
    for (const Setting& setting : kSettings)
        if (line == setting.line ||
            (setting.repeated && line > setting.line && line < setting.line + UpdateDescription::kKeyCount))
            return &setting;
    return nullptr;
}

SourceMedium::SourceMedium() : m_header(info::kFirstEntryLine - 1), m_source(info::kFirstEntryLine - 1)
{
    m_header[info::kSeriesNumberLine - 1] = "0";
    m_header[info::kMasterAdjustLine - 1] = "0";
    m_header[info::kSettingsFileLine - 1] = info::kSearchSettingsFile;
}

// A setting given twice keeps the last value and the line of the first, for messages.
void SourceMedium::Give(size_t infoLine, const std::string& text, int sourceLine)
{
    m_header[infoLine - 1] = text;
    if (m_source[infoLine - 1] == 0)
        m_source[infoLine - 1] = sourceLine;
}

bool ParseDescription(const std::string& utf8, SourceMedium& d, Refusal& refusal)
{
    d = SourceMedium{};
    std::string notice, folderText;
    int noticeLine = 0, folderTextLine = 0;
    std::istringstream in(utf8);
    std::string raw;
    Section section = Section::None;
    bool noticeStarted = false, folderStarted = false;
    for (int line = 1; std::getline(in, raw); ++line) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        if (line == 1 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
            raw.erase(0, 3);
        std::string t = Trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            std::string name = t.substr(1, t.size() - 2);
            if (name == "medium")
                section = Section::Medium;
            else if (name == "notice")
                section = Section::Notice, noticeLine = line + 1;
            else if (name == "folder-page")
                section = Section::FolderPage, folderTextLine = line + 1;
            else if (name == "entries")
                section = Section::Entries;
            else {
                refusal = {line, "unknown section [" + name + "] (medium, notice, folder-page or entries)"};
                return false;
            }
            continue;
        }
        if (section == Section::Notice || section == Section::FolderPage) {
            std::string& text = section == Section::Notice ? notice : folderText;
            bool& started = section == Section::Notice ? noticeStarted : folderStarted;
            text += (started ? "\n" : "") + raw;
            started = true;
            continue;
        }
        if (t.empty() || t[0] == '#')
            continue;
        if (section == Section::Medium) {
            size_t colon = t.find(':');
            if (colon == std::string::npos) {
                refusal = {line, "expected \"setting: value\""};
                return false;
            }
            if (!ApplySetting(d, Trim(t.substr(0, colon)), Trim(t.substr(colon + 1)), line, refusal))
                return false;
        } else if (section == Section::Entries) {
            std::vector<std::string> w;
            if (!Words(t, w) || w.size() != 3 || (w[0] != "archive" && w[0] != "file") || w[1].empty() ||
                w[2].empty()) {
                refusal = {line, "expected \"archive NAME SUBFOLDER\" or \"file NAME SUBFOLDER\" (a field with spaces in "
                                 "double quotes)"};
                return false;
            }
            d.entries.push_back({0, w[0] == "archive" ? EntryKind::Archive : EntryKind::LooseFile, w[1], w[2]});
            d.entrySources.push_back(line);
        } else {
            refusal = {line, "text before the first section ([medium])"};
            return false;
        }
    }
    TrimText(notice);
    TrimText(folderText);
    d.Give(info::kNoticeTextLine, notice, noticeLine);
    d.Give(info::kFolderTextLine, folderText, folderTextLine);
    if (d.SourceOf(info::kFirstUninstallKeyLine) == 0) {
        refusal = {0, "no uninstall-key: the first one is also the main window's title", true};
        return false;
    }
    if (d.entries.empty()) {
        refusal = {0, "no entries: [entries] lists what the update applies", true};
        return false;
    }
    return true;
}

}
