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

bool g_background = true;
bool g_waitCursor = false;

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

lzh::Failure Run(HWND owner, const lzh::Command& command, const std::string& archiveName, std::string& listing,
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
    bool showProgress = !g_background && command.operation != 'l';
    if (showProgress)
        window.Start(owner, archiveName);
    return lzh::RunCommandOn(command, source, extracts ? &target : nullptr, showProgress ? &window : nullptr,
                             listing);
}


}

int LzhSetBackgroundMode(int background)
{
    g_background = background != 0;
    return 0;
}

int LzhSetCursorMode(int waitCursor)
{
    g_waitCursor = waitCursor != 0;
    return 0;
}

int LzhRunCommand(HWND owner, const char* command, std::string& output)
{
    return LzhRunCommandStaged(owner, command, output, nullptr);
}

int LzhRunCommandStaged(HWND owner, const char* command, std::string& output, std::vector<CStagedMember>* staged)
{
    output.clear();
    lzh::Command parsed;
    std::string problem;
    lzh::Failure failure;
    std::string archiveName;
    if (!command || !lzh::ParseCommand(command, parsed, problem)) {
        failure.kind = lzh::FailureKind::BadCommand;
    } else {
        archiveName = FileNameOf(parsed.archive);
        std::optional<CWaitCursor> cursor;
        if (g_waitCursor)
            cursor.emplace();
        failure = Run(owner, parsed, archiveName, output, staged);
    }
    if (!failure)
        return 0;
    output = FailureMessage(failure, archiveName);
    return static_cast<int>(failure.kind);
}

int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize)
{
    std::string text;
    int result = LzhRunCommand(owner, command, text);
    PutOutput(text, output, outputSize);
    return result;
}
