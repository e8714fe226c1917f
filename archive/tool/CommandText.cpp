#include "CommandText.h"

#include "Cp932.h"

#include <vector>

namespace lzh {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Splits at blanks outside double quotes; quotes are removed. Quote and blank bytes are never CP932 trail
// bytes, but the scan still steps over double-byte characters whole.
bool Tokenize(std::string_view text, std::vector<std::string>& tokens)
{
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        std::string token;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            size_t n = CharLength(text, i);
            if (n == 1 && text[i] == '"')
                quoted = !quoted;
            else
                token.append(text.substr(i, n));
            i += n;
        }
        if (quoted)
            return false;
        tokens.push_back(token);
    }
    return true;
}

bool ApplySwitches(std::string_view token, Command& command, std::string& problem)
{
    for (size_t i = 1; i < token.size(); ++i) {
        char c = token[i];
        if (c == 'm' || c == 'M')
            continue;
        if (c == 'c' || c == 'C') {
            command.overwrite = true;
            continue;
        }
        if (c == 'w' || c == 'W') {
            command.tempFolder = std::string(token.substr(i + 1));
            return true;
        }
        problem = "unknown switch: " + std::string(token);
        return false;
    }
    return true;
}

}

bool ParseCommand(std::string_view text, Command& command, std::string& problem)
{
    command = Command{};
    std::vector<std::string> tokens;
    if (!Tokenize(text, tokens)) {
        problem = "unterminated quote";
        return false;
    }
    if (tokens.empty() || tokens[0].size() != 1 || std::string_view("extlEXTL").find(tokens[0][0]) == std::string_view::npos) {
        problem = "unknown command";
        return false;
    }
    command.operation = static_cast<char>(tokens[0][0] | 0x20);
    std::vector<std::string> paths;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].size() > 1 && tokens[i][0] == '-') {
            if (!ApplySwitches(tokens[i], command, problem))
                return false;
        } else {
            paths.push_back(tokens[i]);
        }
    }
    bool needsDestination = command.operation == 'e' || command.operation == 'x';
    if (paths.empty() || paths[0].empty() || paths.size() > 2 || (needsDestination && (paths.size() != 2 || paths[1].empty()))) {
        problem = "expected the archive and the destination folder";
        return false;
    }
    command.archive = paths[0] + ".lzh";
    if (paths.size() == 2)
        command.destination = paths[1];
    return true;
}

}
