#include "CheckCommand.h"

bool ParseCheckArguments(const std::vector<std::string>& words, CheckArguments& arguments)
{
    arguments = {};
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--install") {
            if (i + 1 == words.size() || !arguments.installFolder.empty())
                return false;
            arguments.installFolder = words[++i];
        } else if (word.rfind("--install=", 0) == 0 && word.size() > 10 && arguments.installFolder.empty()) {
            arguments.installFolder = word.substr(10);
        } else if (word.rfind("--", 0) == 0 || word.empty()) {
            return false;
        } else {
            arguments.disks.push_back(word);
        }
    }
    return !arguments.disks.empty();
}

std::string FindingTail(const Finding& finding)
{
    std::string tail;
    if (finding.line > 0)
        tail.append(":").append(std::to_string(finding.line));
    return tail.append(": ").append(SeverityLabel(finding.severity)).append(": ").append(FindingText(finding));
}

std::string UsageText() { return FormatText(TextId::Usage); }
