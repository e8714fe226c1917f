#pragma once
// The log of one program run, for support staff: the medium, the folder the user confirmed, and what each
// update run found, did and showed. It hears the run as its journal and hands finished lines (CP932, without
// a line end) to a sink; it never touches a file itself.

#include <functional>
#include <string>

#include "ExitCode.h"
#include "RunJournal.h"

struct LogTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// "Parvel-YYYYMMDD-HHMMSS.log" for a log begun at time.
std::string RunLogFileName(const LogTime& time);

class RunLog : public RunJournal {
public:
    using Sink = std::function<void(const std::string& line)>;
    using Clock = std::function<LogTime()>;

    RunLog(Sink sink, Clock clock);

    // The medium and its title open the log, once.
    void Opening(const std::string& programDirectory, const std::string& title);
    // Before each update run, which names its folder.
    void RunStarting(const std::string& programDirectory, const std::string& title,
                     const std::string& installFolder);
    // A command line with a word not understood: nothing was done.
    void CommandLineRefused(const std::string& word);
    // A box that was answered without being shown (/SUPPRESSMSGBOXES): OK (its first button) or Cancel.
    // The box is named unless it was the last one the run reported.
    void AnsweredUnshown(const std::string& text, const std::string& caption, bool cancelled);
    // The process's exit code, last; a program run that began no log (cancelled on the notice page) writes
    // none.
    void ProgramEnding(ExitCode code);

    void Identified(const std::string& settingsPath, Edition edition) override;
    void IdentificationFailed(IdentificationFailure failure, const std::string& settingsPath) override;
    void BrokenEntryLine(size_t line) override;
    void Entry(const JournalEntry& entry) override;
    void SettingsKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value, bool written) override;
    void ConversionDone(Conversion conversion, bool succeeded) override;
    void WrittenInPlace(const std::string& file) override;
    void ChecksDone(bool passed, uint64_t milliseconds) override;
    void NothingChanged() override;
    void MessageShown(const std::string& text, const std::string& caption) override;
    void Recovery(RecoveryResult result, const std::string& failedFile) override;
    void CommitDone(CommitResult result, size_t files) override;
    void Finished(RunOutcome outcome) override;

private:
    // One event: the time, then the text; further lines of the text are indented under the first.
    void Write(const std::string& text);

    Sink m_sink;
    Clock m_clock;
    int m_runs = 0;
    bool m_opened = false;
    std::string m_lastMessage; // caption, then text, of the last box reported
};
