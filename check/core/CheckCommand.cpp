#include "CheckCommand.h"

#include <cctype>

namespace {

// An option's value, as "--name value" or "--name=value", given once and not empty.
bool TakeOption(const std::vector<std::string>& words, size_t& i, const std::string& name, std::string& value,
                bool& taken)
{
    const std::string& word = words[i];
    taken = word == name || word.rfind(name + "=", 0) == 0;
    if (!taken)
        return true;
    if (!value.empty())
        return false;
    if (word == name)
        value = i + 1 < words.size() ? words[++i] : std::string();
    else
        value = word.substr(name.size() + 1);
    return !value.empty();
}

// "C:\..." or "\\server\share...": the only folders a copied installation can stand for.
bool IsWindowsFolder(const std::string& path)
{
    bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                 (path[2] == '\\' || path[2] == '/');
    return drive || (path.size() > 2 && path.compare(0, 2, "\\\\") == 0);
}

} // namespace

bool ParseCheckArguments(const std::vector<std::string>& words, CheckArguments& arguments)
{
    arguments = {};
    for (size_t i = 0; i < words.size(); ++i) {
        bool taken = false;
        if (!TakeOption(words, i, "--install", arguments.installFolder, taken))
            return false;
        if (!taken && !TakeOption(words, i, "--as", arguments.windowsFolder, taken))
            return false;
        if (taken)
            continue;
        if (words[i].rfind("--", 0) == 0 || words[i].empty())
            return false;
        arguments.disks.push_back(words[i]);
    }
    if (!arguments.windowsFolder.empty() &&
        (arguments.installFolder.empty() || !IsWindowsFolder(arguments.windowsFolder)))
        return false;
    return !arguments.disks.empty();
}

int CheckStatus(bool mediumHasErrors, bool previewComplete)
{
    if (mediumHasErrors)
        return 1;
    return previewComplete ? 0 : 3;
}

std::string FindingTail(const Finding& finding)
{
    std::string tail;
    if (finding.line > 0)
        tail.append(":").append(std::to_string(finding.line));
    return tail.append(": ").append(SeverityLabel(finding.severity)).append(": ").append(FindingText(finding));
}

std::string UsageText() { return FormatText(TextId::Usage); }
