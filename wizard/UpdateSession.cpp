#include "UpdateSession.h"

#include "FillMessage.h"
#include "ResourceString.h"
#include "UninstallRegistry.h"
#include "UnattendedPrompts.h"
#include "UpdateEngine.h"
#include "resource.h"

void CUpdateSession::Configure(UpdateMedium medium, bool suppressBoxes, bool windowless,
                               const std::string& logCopy)
{
    m_medium = std::move(medium);
    m_suppressBoxes = suppressBoxes;
    m_windowless = windowless;
    if (!logCopy.empty())
        m_logFile.AlsoWriteTo(logCopy);
}

RunOutcome CUpdateSession::Run(const std::string& installFolder, HWND owner)
{
    const UpdateDescription& description = m_medium.description;
    const std::string& programDirectory = m_medium.programDirectory;
    m_log.RunStarting(programDirectory, m_medium.FirstLine(), installFolder);
    const UpdatePlace place{MediumFolder(programDirectory), installFolder};
    // /VERYSILENT: no window of the archive component either.
    CWin32Host host(owner, !m_windowless);
    RunOutcome outcome;
    // Any switch that changes what is shown: prompts that honour it.
    if (m_suppressBoxes || m_windowless) {
        CUnattendedPrompts prompts(owner, m_log, m_suppressBoxes);
        outcome = ApplyUpdate(description, place, host.With(prompts), &m_log);
        m_exitCode = ExitCodeOf(outcome, prompts.RefusedQuestion());
    } else {
        CWin32Prompts prompts(owner);
        outcome = ApplyUpdate(description, place, host.With(prompts), &m_log);
        m_exitCode = ExitCodeOf(outcome, false);
    }
    return outcome;
}

ExitCode CUpdateSession::RunWithoutPages(const std::optional<std::string>& folder)
{
    const UpdateDescription& description = m_medium.description;
    Run(folder ? *folder : OfferedInstallFolder(description.uninstallKeys, description.installFolder), nullptr);
    return m_exitCode;
}

ExitCode CUpdateSession::ShowUsage(const std::string& word)
{
    m_exitCode = word.empty() ? ExitCode::Updated : ExitCode::BadCommandLine;
    if (!word.empty() && (m_suppressBoxes || m_windowless)) {
        OpenLog();
        m_log.CommandLineRefused(word);
    }
    if (m_suppressBoxes)
        return m_exitCode;
    std::string text = word.empty() ? std::string() : FillMessage(LoadResourceString(IDS_BAD_COMMAND_LINE), {word});
    text += LoadResourceString(IDS_USAGE);
    ::MessageBoxA(nullptr, text.c_str(), LoadResourceString(IDS_USAGE_CAPTION).c_str(), MB_OK);
    return m_exitCode;
}

int CUpdateSession::End()
{
    m_log.ProgramEnding(m_exitCode);
    return static_cast<int>(m_exitCode);
}

void CUpdateSession::OpenLog()
{
    m_log.Opening(m_medium.programDirectory, m_medium.FirstLine());
}
