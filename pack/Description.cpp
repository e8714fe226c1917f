#include "Description.h"

#include <map>
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

bool ApplySetting(Description& d, const std::string& key, const std::string& value, int line, Refusal& refusal)
{
    static const std::map<std::string, int> kPictures = {
        {"main-picture", 0}, {"notice-picture", 1}, {"folder-picture", 2}, {"confirm-picture", 3}};
    if (key == "uninstall-key") {
        if (d.uninstallKeys.size() == 15) {
            refusal = {line, "more than 15 uninstall keys (info.txt has lines 1-15 for them)"};
            return false;
        }
        d.uninstallKeys.push_back(value);
    } else if (key == "edition") {
        if (d.editions.size() == 15) {
            refusal = {line, "more than 15 editions (info.txt has lines 28-42 for them)"};
            return false;
        }
        d.editions.push_back(value);
    } else if (key == "install-folder") {
        d.installFolder = value;
    } else if (key == "series") {
        d.series = value;
    } else if (key == "master-adjust") {
        d.masterAdjust = value;
    } else if (key == "settings-file") {
        d.settingsFile = value;
    } else if (key == "category") {
        d.category = value;
    } else if (key == "version") {
        d.version = value;
    } else if (auto p = kPictures.find(key); p != kPictures.end()) {
        d.pictures[p->second] = value;
    } else {
        refusal = {line, "unknown setting \"" + key + "\""};
        return false;
    }
    d.lines.push_back({key, line});
    return true;
}

// Drops the empty lines at the end of a text.
void TrimText(std::string& text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
}

}

int Description::LineOf(const std::string& key, size_t index) const
{
    for (const auto& [k, line] : lines)
        if (k == key && index-- == 0)
            return line;
    return 0;
}

bool ParseDescription(const std::string& utf8, Description& d, Refusal& refusal)
{
    d = Description{};
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
                section = Section::Notice, d.noticeLine = line + 1;
            else if (name == "folder-page")
                section = Section::FolderPage, d.folderTextLine = line + 1;
            else if (name == "entries")
                section = Section::Entries;
            else {
                refusal = {line, "unknown section [" + name + "] (medium, notice, folder-page or entries)"};
                return false;
            }
            continue;
        }
        if (section == Section::Notice || section == Section::FolderPage) {
            std::string& text = section == Section::Notice ? d.notice : d.folderText;
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
            d.entries.push_back({line, w[0] == "archive", w[1], w[2]});
        } else {
            refusal = {line, "text before the first section ([medium])"};
            return false;
        }
    }
    TrimText(d.notice);
    TrimText(d.folderText);
    if (d.uninstallKeys.empty()) {
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
