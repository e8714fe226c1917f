#include "LzhLibrary.h"

#include "CommandRun.h"
#include "Cp932.h"
#include "Extraction.h"
#include "MessageText.h"
#include "ProgressWindow.h"
#include "WaitCursor.h"
#include "WinFileSource.h"
#include "WinTarget.h"

#include <cstring>
#include <functional>
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

lzh::Failure OpenArchive(const std::string& path, CWinFileSource& source)
{
    if (source.Open(path))
        return {};
    DWORD error = GetLastError();
    bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? lzh::FailureKind::ArchiveNotFound : lzh::FailureKind::CannotRead, {}, {}};
}

lzh::Failure CheckDestination(const std::string& destination)
{
    DWORD attributes = GetFileAttributesA(destination.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {lzh::FailureKind::NoDestination, destination, {}};
    return {};
}

using Work = std::function<lzh::Failure(ByteSource& source, lzh::Progress* progress)>;

// Opens the archive and does the work on it, under the wait cursor and with the progress window as modes ask;
// destination (null for t and l) must be an existing folder. 0, or the failure's kind with its message in output.
int RunOn(HWND owner, const std::string& archive, const std::string* destination, bool showsProgress, LzhModes modes,
          const Work& work, std::string& output)
{
    std::optional<CWaitCursor> cursor;
    if (modes.waitCursor)
        cursor.emplace();
    CWinFileSource source;
    lzh::Failure failure = OpenArchive(archive, source);
    if (failure.ok() && destination)
        failure = CheckDestination(*destination);
    if (failure.ok()) {
        CProgressWindow window;
        bool showProgress = modes.progressWindow && showsProgress;
        if (showProgress)
            window.Start(owner, FileNameOf(archive));
        failure = work(source, showProgress ? &window : nullptr);
    }
    if (failure.ok())
        return 0;
    output = FailureMessage(failure, FileNameOf(archive));
    return static_cast<int>(failure.kind);
}

} // namespace

LzhResult LzhExtract(HWND owner, const LzhExtraction& request)
{
    LzhResult result;
    lzh::Layout layout = request.keepFolders ? lzh::Layout::WithFolders : lzh::Layout::Flat;
    auto extract = [&](ByteSource& source, lzh::Progress* progress) {
        CWinTarget target(request.destination, &result.staged);
        return lzh::ExtractArchive(source, layout, target, progress);
    };
    result.failure = RunOn(owner, request.archive, &request.destination, true, request.modes, extract, result.message);
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
    bool extracts = parsed.operation == 'e' || parsed.operation == 'x';
    auto run = [&](ByteSource& source, lzh::Progress* progress) {
        CWinTarget target(parsed.destination);
        return lzh::RunCommandOn(parsed, source, extracts ? &target : nullptr, progress, output);
    };
    return RunOn(owner, parsed.archive, extracts ? &parsed.destination : nullptr, parsed.operation != 'l', modes, run,
                 output);
}

int LzhRunCommand(HWND owner, const char* command, char* output, unsigned long outputSize, LzhModes modes)
{
    std::string text;
    int result = LzhRunCommand(owner, command, text, modes);
    PutOutput(text, output, outputSize);
    return result;
}
