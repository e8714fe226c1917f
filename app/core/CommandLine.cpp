#include "CommandLine.h"

#include "Cp932.h"

#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Words separated by blanks; a double quote groups and is dropped. An empty quoted word is a word.
std::vector<std::string> SplitWords(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// Takes one switch into line; false when it is not understood.
bool TakeSwitch(const std::string& word, CommandLine& line)
{
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return false;
    size_t equals = word.find('=');
    std::string name = UpperAscii(std::string_view(word).substr(1, equals == std::string::npos ? equals : equals - 1));
    if (equals == std::string::npos) {
        bool* flag = name == "SILENT"             ? &line.silent
                     : name == "VERYSILENT"       ? &line.verySilent
                     : name == "SUPPRESSMSGBOXES" ? &line.suppressMessageBoxes
                     : name == "?"                ? &line.usage
                                                  : nullptr;
        if (flag)
            *flag = true;
        return flag != nullptr;
    }
    std::string value = word.substr(equals + 1);
    // Two folders or two logs leave the script's intent unknown.
    if (value.empty())
        return false;
    if (name == "DIR" && !line.folder) {
        line.folder = value;
        return true;
    }
    if (name == "LOG" && line.logFile.empty()) {
        line.logFile = value;
        return true;
    }
    return false;
}

} // namespace

CommandLine ParseCommandLine(std::string_view text)
{
    CommandLine line;
    for (const std::string& word : SplitWords(text)) {
        if (!TakeSwitch(word, line) && line.refused.empty())
            line.refused = word.empty() ? "\"\"" : word;
    }
    return line;
}
