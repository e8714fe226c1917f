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
    PreviewJournal(PreviewHost& host, PreviewLog& log, const UpdateDescription& description)
        : m_host(host), m_log(log), m_description(description)
    {
    }

    void Identified(const std::string& settingsPath, Edition edition) override
    {
        TakeUnseen();
        std::string keyword;
        if (edition.FromKeyword()) {
            const std::string& text = m_description.titleKeywords[static_cast<size_t>(edition.Number() - 1)];
            keyword = text.empty() ? FormatText(TextId::PreviewEmptyKeyword) : FormatText(TextId::PreviewKeyword, {text});
        }
        m_log.identification.push_back(
            FormatText(TextId::PreviewSettingsFile, {ShownPath(settingsPath), std::to_string(edition.Number()), keyword}));
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
        std::string base = SplitPath(m_description.entries[entry.index].name).name;
        // The archive the run extracted: for START, its edition's.
        std::string archive = m_host.MediumName(entry.source);
        if (entry.IsArchive() && base == info::kStartArchive)
            m_log.startArchive.push_back(FormatText(TextId::PreviewStart, {archive}));
        if (entry.IsArchive() && base == info::kExcelArchive &&
            (entry.outcome == EntryOutcome::Applied || entry.outcome == EntryOutcome::Kept))
            TemplateDecision(entry.outcome, archive);
    }
    void TemplateChecked(const TemplateCheck& check) override { m_template = check; }
    void MasterConverted(Conversion, const std::string& path, size_t changedRecords) override
    {
        m_converted.emplace_back(ShownPath(path), changedRecords);
    }
    void ConversionDone(Conversion conversion, bool) override
    {
        std::string name = FormatText(conversion == Conversion::MaterialSize ? TextId::PreviewSizeConversion
                                                                             : TextId::PreviewTypeConversion);
        for (const auto& [path, changed] : m_converted)
            m_log.masters.push_back(FormatText(TextId::PreviewMaster, {name, path, std::to_string(changed)}));
        // A master folder the preview cannot see is named, never reported as holding no master. Both
        // conversions are staged from one listing, so each names every folder unseen there.
        for (const std::string& pattern : m_host.TakeUnseen())
            m_unseenMasters.push_back(pattern);
        for (const std::string& pattern : m_unseenMasters) {
            PathParts parts = SplitPath(pattern);
            m_log.masters.push_back(
                FormatText(TextId::PreviewMastersUnseen, {name, ShownPath(parts.drive + parts.dir)}));
            m_log.complete = false;
        }
        if (m_converted.empty() && m_unseenMasters.empty())
            m_log.masters.push_back(FormatText(TextId::PreviewNoMasters, {name}));
        m_converted.clear();
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
        std::vector<std::string> args{ShownPath(m_template.path), DateText(m_template.date), archive};
        bool dated = m_template.dated;
        TextId id = outcome == EntryOutcome::Kept ? (dated ? TextId::PreviewTemplateKept
                                                                 : TextId::PreviewTemplateKeptUndated)
                                                        : (dated ? TextId::PreviewTemplateOld
                                                                 : TextId::PreviewTemplateMissing);
        m_log.workbookTemplate.push_back(FormatText(id, args));
    }

    PreviewHost& m_host;
    PreviewLog& m_log;
    const UpdateDescription& m_description;
    TemplateCheck m_template;
    std::vector<std::pair<std::string, size_t>> m_converted; // masters of the conversion under way
    std::vector<std::string> m_unseenMasters;
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
    PreviewLog log;
    PreviewHost host(installation, media, log);
    PreviewJournal journal(host, log, description);
    installation.TakeUnseen();
    EngineHost roles = host.Roles();
    ApplyUpdate(description, UpdatePlace{MediumFolder(kPreviewMedium), installFolder}, roles, &journal);
    journal.TakeUnseen();
    return log;
}
