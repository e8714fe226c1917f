#include "LzhLibrary.h"

#include "CommandRun.h"
#include "Cp932.h"
#include "MessageText.h"
#include "ProgressWindow.h"
#include "WaitCursor.h"
#include "WinFileSource.h"
#include "WinTarget.h"

#include <cstring>
#include <optional>

namespace {

std::string FileNameOf(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); i += CharLength(path, i))
        if (CharLength(path, i) == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':'))
            start = i + 1;
    return path.substr(start);
}

void PutOutput(const std::string& text, char* output, unsigned long outputSize)
{
    if (!output || outputSize == 0)
        return;
    std::string_view cut = CutOnCharBoundary(text, outputSize - 1);
    std::memcpy(output, cut.data(), cut.size());
    output[cut.size()] = '\0';
}

lzh::Failure Run(HWND owner, const lzh::Command& command, LzhModes modes, std::string& listing,
                 std::vector<CStagedMember>* staged)
{
    using lzh::FailureKind;
    CWinFileSource source;
    if (!source.Open(command.archive)) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FailureKind::ArchiveNotFound : FailureKind::CannotRead, {}, {}};
    }
    bool extracts = command.operation == 'e' || command.operation == 'x';
    if (extracts) {
        DWORD attributes = GetFileAttributesA(command.destination.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {FailureKind::NoDestination, command.destination, {}};
    }
    CWinTarget target(command.destination, staged);
    CProgressWindow window;
    bool showProgress = modes.progressWindow && command.operation != 'l';
    if (showProgress)
        window.Start(owner, FileNameOf(command.archive));
    return lzh::RunCommandOn(command, source, extracts ? &target : nullptr, showProgress ? &window : nullptr,
                             listing);
}

// Carries out a parsed command, under the wait cursor when asked; the failure's message in output.
int RunParsed(HWND owner, const lzh::Command& command, LzhModes modes, std::string& output,
              std::vector<CStagedMember>* staged)
{
    std::optional<CWaitCursor> cursor;
    if (modes.waitCursor)
        cursor.emplace();
    lzh::Failure failure = Run(owner, command, modes, output, staged);
    if (failure.ok())
        return 0;
    output = FailureMessage(failure, FileNameOf(command.archive));
    return static_cast<int>(failure.kind);
}

} // namespace

LzhResult LzhExtract(HWND owner, const LzhExtraction& request)
{
    lzh::Command command;
    command.operation = request.keepFolders ? 'x' : 'e';
    command.archive = request.archive;
    command.destination = request.destination;
    LzhResult result;
    result.failure = RunParsed(owner, command, request.modes, result.message, &result.staged);
    if (result.failure == 0)
        result.message.clear();
    return result;
}

int LzhRunCommand(HWND owner, const char* command, std::string& output, LzhModes modes)
{
    output.clear();
    lzh::Command parsed;
    std::string problem;
    if (!command || !lzh::ParseCommand(command, parsed, problem)) {
        output = FailureMessage(lzh::Failure{lzh::FailureKind::BadCommand, {}, {}}, "");
        return static_cast<int>(lzh::FailureKind::BadCommand);
    }
    return RunParsed(owner, parsed, modes, output, nullptr);
}

int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize, LzhModes modes)
{
    std::string text;
    int result = LzhRunCommand(owner, command, text, modes);
    PutOutput(text, output, outputSize);
    return result;
}
