#include "LhaStyle.h"

#include "ArchiveBuilder.h"

namespace lzh {

const char kLhaUsage[] =
    "usage: lzhx a [-m lh0|lh5|lh6|lh7] [-h 1|2] ARCHIVE.lzh FILE|FOLDER...\n"
    "       lzhx x|e|t|l ARCHIVE.lzh [-w DIR]\n"
    "       lzhx '<e|x|t|l> [-m] [-c] [-w<folder>] \"<archive without .lzh>\" [\"<folder>\"]'\n";

bool IsLhaStyle(const std::vector<std::string>& args)
{
    return args.size() >= 2 && args[0].size() == 1 && std::string("axetl").find(args[0][0]) != std::string::npos;
}

bool ParseLhaArguments(const std::vector<std::string>& args, LhaArguments& parsed, std::string& problem)
{
    parsed = LhaArguments{};
    if (!IsLhaStyle(args)) {
        problem = "unknown command";
        return false;
    }
    parsed.operation = args[0][0];
    std::vector<std::string> names;
    bool options = true;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (options && a == "--") {
            options = false;
            continue;
        }
        if (!options || a.size() < 2 || a[0] != '-') {
            names.push_back(a);
            continue;
        }
        char option = a[1];
        std::string value = a.substr(2);
        if (option != 'm' && option != 'h' && option != 'w') {
            problem = "unknown option " + a;
            return false;
        }
        if (value.empty()) {
            if (++i == args.size()) {
                problem = "option " + a + " needs a value";
                return false;
            }
            value = args[i];
        }
        bool forAdd = option != 'w';
        if (forAdd != (parsed.operation == 'a')) {
            problem = "option -" + std::string(1, option) + " does not go with " + args[0];
            return false;
        }
        if (option == 'm' && !ParseMethod(value, parsed.method)) {
            problem = "unknown method " + value + " (lh0, lh5, lh6 or lh7)";
            return false;
        }
        if (option == 'h') {
            if (value != "1" && value != "2") {
                problem = "header level " + value + " (1 or 2)";
                return false;
            }
            parsed.level = value[0] - '0';
        }
        if (option == 'w')
            parsed.folder = value;
    }
    if (names.empty()) {
        problem = "no archive named";
        return false;
    }
    parsed.archive = names[0];
    parsed.files.assign(names.begin() + 1, names.end());
    if (parsed.operation == 'a' ? parsed.files.empty() : !parsed.files.empty()) {
        problem = parsed.operation == 'a' ? "no file or folder to add" : "unexpected argument " + names[1];
        return false;
    }
    return true;
}

int RunLhaCommand(const LhaArguments& args, const std::function<int(const Command&)>& extract, std::ostream& out,
                  std::ostream& err)
{
    if (args.operation != 'a') {
        Command command;
        command.operation = args.operation;
        command.overwrite = true;
        command.archive = args.archive;
        if (args.operation == 'x' || args.operation == 'e')
            command.destination = args.folder;
        return extract(command);
    }
    std::vector<PackInput> inputs;
    std::string problem;
    PackOptions options;
    options.method = args.method;
    options.level = args.level;
    if (!CollectInputs(args.files, inputs, problem) || !WriteArchiveFile(args.archive, inputs, options, &out, problem)) {
        err << "lzhx: " << problem << '\n';
        return 1;
    }
    return 0;
}

}
