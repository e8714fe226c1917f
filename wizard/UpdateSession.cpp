#include "UpdateSession.h"

#include "FillMessage.h"
#include "ProgramDirectory.h"
#include "ResourceString.h"
#include "UninstallRegistry.h"
#include "UnattendedHost.h"
#include "UpdateEngine.h"
#include "resource.h"

void CUpdateSession::Configure(const CommandLine& line)
{
    m_suppressBoxes = line.suppressMessageBoxes;
    m_windowless = line.verySilent;
    m_switches = m_suppressBoxes || m_windowless;
    if (!line.logFile.empty())
        m_logFile.AlsoWriteTo(line.logFile);
}

RunOutcome CUpdateSession::Run(UpdateDescription& description, HWND owner)
{
    m_log.RunStarting(programDirectory, ReadFirstLine(programDirectory + "info.txt"), description.installFolder);
    RunOutcome outcome;
    if (m_switches) {
        CUnattendedHost host(owner, m_log, m_suppressBoxes, m_windowless);
        outcome = ApplyUpdate(description, programDirectory, host, &m_log);
        m_exitCode = ExitCodeOf(outcome, host.RefusedQuestion());
    } else {
        CWin32EngineHost host(owner);
        outcome = ApplyUpdate(description, programDirectory, host, &m_log);
        m_exitCode = ExitCodeOf(outcome, false);
    }
    return outcome;
}

ExitCode CUpdateSession::RunWithoutPages(const std::optional<std::string>& folder)
{
    UpdateDescription description;
    LoadUpdateDescription(description, programDirectory);
    std::vector<std::string> keys(description.uninstallKeys.begin(), description.uninstallKeys.end());
    description.installFolder = folder ? *folder : OfferedInstallFolder(keys, description.installFolder);
    Run(description, nullptr);
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
    m_log.Opening(programDirectory, ReadFirstLine(programDirectory + "info.txt"));
}
