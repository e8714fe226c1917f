#include "Preview.h"

#include "Cp932.h"
#include "Findings.h"
#include "PreviewHost.h"
#include "UpdateEngine.h"
#include "WindowsPath.h"
#include "WorkbookTemplate.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string DateText(const UtcDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

class PreviewJournal : public RunJournal {
public:
    PreviewJournal(PreviewHost& host, PreviewLog& log, const UpdateDescription& original,
                   const UpdateDescription& run)
        : m_host(host), m_log(log), m_original(original), m_run(run)
    {
    }

    void Identified(const std::string& settingsPath, int systemKind) override
    {
        TakeUnseen();
        m_settingsPath = settingsPath;
        std::string keyword;
        if (systemKind >= 1 && systemKind <= static_cast<int>(m_original.titleKeywords.size())) {
            const std::string& text = m_original.titleKeywords[systemKind - 1];
            keyword = text.empty() ? FormatText(TextId::PreviewEmptyKeyword) : FormatText(TextId::PreviewKeyword, {text});
        }
        m_log.identification.push_back(
            FormatText(TextId::PreviewSettingsFile, {ShownPath(settingsPath), std::to_string(systemKind), keyword}));
    }
    void IdentificationFailed(IdentificationFailure, const std::string& settingsPath) override
    {
        TakeUnseen();
        m_log.identification.push_back(FormatText(TextId::PreviewNotIdentified, {ShownPath(settingsPath)}));
    }
    void BrokenEntryLine(size_t line) override
    {
        TakeUnseen();
        m_log.identification.push_back(FormatText(TextId::PreviewBrokenLine, {std::to_string(line)}));
    }
    void Entry(const JournalEntry& entry) override
    {
        TakeUnseen();
        std::string base = SplitPath(m_original.entries[entry.index].name).name;
        // The run has given the START entry its edition's number by now.
        std::string archive = m_host.MediumName(kPreviewMedium + m_run.entries[entry.index].name + ".lzh");
        if (entry.kind == 1 && base == "START")
            m_log.startArchive.push_back(FormatText(TextId::PreviewStart, {archive}));
        if (entry.kind == 1 && base == "EXCEL" &&
            (entry.outcome == EntryOutcome::Applied || entry.outcome == EntryOutcome::Kept))
            TemplateDecision(entry.outcome, archive);
    }
    void ConversionDone(Conversion conversion, bool) override
    {
        std::string name = FormatText(conversion == Conversion::MaterialSize ? TextId::PreviewSizeConversion
                                                                             : TextId::PreviewTypeConversion);
        for (const auto& [path, changed] : m_host.convertedMasters)
            m_log.masters.push_back(FormatText(TextId::PreviewMaster, {name, path, std::to_string(changed)}));
        // A master folder the preview cannot see is named, never reported as holding no master.
        std::vector<std::string> unseen = m_host.TakeUnseen();
        for (const std::string& pattern : unseen) {
            PathParts parts = SplitPath(pattern);
            m_log.masters.push_back(
                FormatText(TextId::PreviewMastersUnseen, {name, ShownPath(parts.drive + parts.dir)}));
            m_log.complete = false;
        }
        if (m_host.convertedMasters.empty() && unseen.empty())
            m_log.masters.push_back(FormatText(TextId::PreviewNoMasters, {name}));
        m_host.convertedMasters.clear();
    }
    void SettingsKey(const std::string&, const std::string&, const std::string&, const std::string&, bool) override
    {
        TakeUnseen();
    }
    void MessageShown(const std::string& text, const std::string& caption) override
    {
        TakeUnseen();
        m_log.messages.push_back(FormatText(TextId::PreviewMessage, {caption, text}));
    }

    // What the run could not see since the last event; the conversions take theirs themselves, so that
    // what they name is their own master folders.
    void TakeUnseen()
    {
        for (const std::string& path : m_host.TakeUnseen()) {
            std::string line = FormatText(TextId::PreviewUnseen, {ShownPath(path)});
            if (std::find(m_log.unseen.begin(), m_log.unseen.end(), line) == m_log.unseen.end())
                m_log.unseen.push_back(line);
            m_log.complete = false;
        }
    }

private:
    void TemplateDecision(EntryOutcome outcome, const std::string& archive)
    {
        // The run's working folder: the settings file's path without its name.
        std::string folder = m_settingsPath.substr(0, m_settingsPath.size() - m_run.settingsFile.size());
        std::vector<std::string> args{ShownPath(WorkbookTemplatePath(folder)), DateText(m_host.templateDate),
                                      archive};
        bool dated = m_host.templateResult == LastWriteResult::Read;
        TextId id = outcome == EntryOutcome::Kept ? (dated ? TextId::PreviewTemplateKept
                                                                 : TextId::PreviewTemplateKeptUndated)
                                                        : (dated ? TextId::PreviewTemplateOld
                                                                 : TextId::PreviewTemplateMissing);
        m_log.workbookTemplate.push_back(FormatText(id, args));
    }

    PreviewHost& m_host;
    PreviewLog& m_log;
    const UpdateDescription& m_original;
    const UpdateDescription& m_run;
    std::string m_settingsPath;
};

} // namespace

std::vector<std::string> PreviewLog::Lines() const
{
    std::vector<std::string> lines;
    for (const std::vector<std::string>* topic :
         {&identification, &startArchive, &files, &workbookTemplate, &settings, &masters, &messages, &unseen})
        lines.insert(lines.end(), topic->begin(), topic->end());
    lines.push_back(FormatText(TextId::PreviewNothingWritten));
    return lines;
}

PreviewLog RunPreview(const UpdateDescription& description, const std::string& installFolder, MediaFiles& media,
                      InstallationFiles& installation)
{
    UpdateDescription run = description;
    run.installFolder = installFolder;
    PreviewLog log;
    PreviewHost host(installation, media, log);
    PreviewJournal journal(host, log, description, run);
    installation.TakeUnseen();
    RunUpdate(run, kPreviewMedium, host, &journal);
    journal.TakeUnseen();
    return log;
}
