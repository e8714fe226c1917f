#include "LzhLibrary.h"

#include "CommandText.h"
#include "Cp932.h"
#include "Extraction.h"
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

lzh::Failure Run(HWND owner, const lzh::Command& command, const std::string& archiveName)
{
    using lzh::FailureKind;
    CWinFileSource source;
    if (!source.Open(command.archive)) {
        DWORD error = GetLastError();
        bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FailureKind::ArchiveNotFound : FailureKind::CannotRead, {}, {}};
    }
    lzh::Mode mode = command.operation == 'x' ? lzh::Mode::WithFolders
                     : command.operation == 'e' ? lzh::Mode::Flat
                                                : lzh::Mode::TestOnly;
    if (mode != lzh::Mode::TestOnly) {
        DWORD attributes = GetFileAttributesA(command.destination.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {FailureKind::NoDestination, command.destination, {}};
    }
    CWinTarget target(command.destination);
    CProgressWindow window;
    if (!g_background)
        window.Start(owner, archiveName);
    return lzh::ExtractArchive(source, mode, &target, g_background ? nullptr : &window);
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

int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize)
{
    PutOutput("", output, outputSize);
    lzh::Command parsed;
    std::string problem;
    lzh::Failure failure;
    std::string archiveName;
    if (!command || !lzh::ParseCommand(command, parsed, problem) || parsed.operation == 'l') {
        failure.kind = lzh::FailureKind::BadCommand;
    } else {
        archiveName = FileNameOf(parsed.archive);
        std::optional<CWaitCursor> cursor;
        if (g_waitCursor)
            cursor.emplace();
        failure = Run(owner, parsed, archiveName);
    }
    if (!failure)
        return 0;
    PutOutput(FailureMessage(failure, archiveName), output, outputSize);
    return static_cast<int>(failure.kind);
}
