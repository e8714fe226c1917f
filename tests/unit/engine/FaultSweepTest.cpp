// The whole update under every failure and every power cut, in each scenario: the installation is always
// wholly old or wholly new, and the next start (and, where nothing had changed, one more run) ends exactly as
// one clean run does.
#include "RunScenario.h"
#include "Transaction.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Every file wholly old or wholly new, none of the old ones missing. A file written in place (another program
// keeps it open) may be part-written until the next start rewrites it.
void ExpectEachFileWhole(const FakeTree& before, const FakeTree& after, const FakeTree& now, const std::string& what,
                         const std::string& writtenInPlace = "")
{
    for (const auto& [path, file] : before)
        EXPECT_TRUE(now.count(path)) << what << ": " << path << " is missing";
    for (const auto& [path, file] : now) {
        auto old = before.find(path);
        auto complete = after.find(path);
        ASSERT_TRUE(old != before.end() || complete != after.end()) << what << ": stray " << path;
        if (file.directory || path == writtenInPlace)
            continue;
        EXPECT_TRUE((old != before.end() && file.bytes == old->second.bytes) ||
                    (complete != after.end() && file.bytes == complete->second.bytes))
            << what << ": " << path << " holds " << file.bytes;
    }
}

bool SameFiles(const FakeTree& a, const FakeTree& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [path, file] : a) {
        auto other = b.find(path);
        if (other == b.end() || other->second.directory != file.directory || other->second.bytes != file.bytes ||
            other->second.readOnly != file.readOnly)
            return false;
    }
    return true;
}

// The same files, apart from folders now has and the old installation had not (made by a run whose clean-up
// could not remove what it had put in them).
bool SameFilesBesidesNewFolders(FakeTree now, const FakeTree& before)
{
    for (auto it = now.begin(); it != now.end();)
        it = it->second.directory && !before.count(it->first) ? now.erase(it) : std::next(it);
    return SameFiles(now, before);
}

std::vector<std::string> OwnFilesLeft(const FakeTree& files)
{
    std::vector<std::string> left;
    for (const auto& [path, file] : files) {
        if (IsUpdateOwnFile(path))
            left.push_back(path);
    }
    return left;
}

// The scenario run once without failure, and the installation as an update that goes through leaves it.
struct CleanRun {
    FakeTree before, after;
    int moments = 0, calls = 0;
    RunOutcome outcome;
    explicit CleanRun(Scenario scenario)
    {
        FullUpdate update(scenario);
        before = InstallationFiles(update.host.files);
        outcome = update.Run();
        moments = update.host.moments;
        calls = update.host.failableCalls;
        FullUpdate plain;
        plain.Run();
        after = InstallationFiles(plain.host.files);
    }
};

// The next start: its recovery alone, then, where the installation was left as it was, one more run.
void ExpectNextStartCompletes(FullUpdate& run, const CleanRun& clean, bool toldDone, const std::string& where)
{
    RecoveryReport recovery = Recover(run.host, kInstall, [](const std::string&) { return RetryAnswer::Cancel; });
    ASSERT_NE(recovery.result, RecoveryResult::Failed) << where;
    FakeTree now = InstallationFiles(run.host.files);
    bool old = SameFilesBesidesNewFolders(now, clean.before), updated = SameFiles(now, clean.after);
    EXPECT_TRUE(old || updated) << where << ": the installation is neither the old one nor the updated one";
    EXPECT_TRUE(!toldDone || updated) << where << ": told updated, then lost at the cut";
    if (recovery.result == RecoveryResult::Completed) {
        EXPECT_TRUE(updated) << where;
    }
    if (old && !updated) {
        run.host.onCall = nullptr;
        run.host.retryAnswers = {};
        EXPECT_EQ(run.Run(), RunOutcome::Updated) << where;
        EXPECT_TRUE(SameFiles(InstallationFiles(run.host.files), clean.after)) << where << ": the rerun differs";
    }
    EXPECT_EQ(OwnFilesLeft(run.host.files), std::vector<std::string>{}) << where;
}

TEST(FaultSweep, EveryFailedCallLeavesTheInstallationOldOrNewAndTheNextStartCompletes)
{
    for (Scenario scenario : kScenarios) {
        const CleanRun clean(scenario);
        bool cancelled = scenario == Scenario::CommitCancelled;
        ASSERT_EQ(clean.outcome, cancelled ? RunOutcome::Cancelled : RunOutcome::Updated) << ScenarioName(scenario);
        ASSERT_FALSE(SameFiles(clean.before, clean.after));
        ASSERT_GT(clean.calls, 80);
        int identification = 0, stopped = 0;
        for (int failAt = 1; failAt <= clean.calls; ++failAt) {
            FullUpdate run(scenario);
            run.host.failAt = failAt;
            RunOutcome outcome = run.Run();
            const std::string where = std::string(ScenarioName(scenario)) + ", failing call " +
                                      std::to_string(failAt) + " (" + run.host.failedCall + ")";
            ASSERT_FALSE(run.host.boxes.empty()) << where;
            const Box& last = run.host.boxes.back();
            EXPECT_FALSE(last.diskPrompt) << where;
            FakeTree now = InstallationFiles(run.host.files);
            bool updated = SameFiles(now, clean.after);
            // Only a run that says the next start will finish it may leave the update's own files behind, or the
            // installation part-way; a whole update may leave its journal when the clean-up fails.
            bool journalKept = run.host.Find(kInstall + "\\parvel.journal") != nullptr;
            if (journalKept) {
                EXPECT_TRUE(outcome == RunOutcome::Failed || updated) << where;
            } else if (outcome != RunOutcome::Failed) {
                // A removal that failed leaves its file, and the folder that holds it.
                bool removalFailed = run.host.failedCall.rfind("Remove", 0) == 0;
                EXPECT_TRUE((removalFailed ? SameFilesBesidesNewFolders(now, clean.before) : SameFiles(now, clean.before)) ||
                            updated)
                    << where << ": a mixed installation";
                if (!removalFailed) {
                    EXPECT_EQ(OwnFilesLeft(run.host.files), std::vector<std::string>{}) << where;
                }
            }
            identification += outcome == RunOutcome::NotInstalled;
            stopped += outcome == RunOutcome::StoppedBeforeWriting;
            // "Updated" is told exactly when the installation is the updated one, and the template only once
            // it has been replaced.
            EXPECT_EQ(last.text == FakeHost::Id(IDS_UPDATE_DONE), updated) << where << ": " << last.text;
            const std::vector<std::string> texts = run.host.Texts();
            bool toldTemplate = std::find(texts.begin(), texts.end(), FakeHost::Id(IDS_TEMPLATE_UPDATED)) != texts.end();
            EXPECT_EQ(toldTemplate, run.host.Bytes(kTemplate) == "new book") << where;
            run.Restart(run.host.files);
            ExpectNextStartCompletes(run, clean, updated, where);
        }
        EXPECT_GT(identification, 5) << ScenarioName(scenario);
        EXPECT_GT(stopped, 30) << ScenarioName(scenario);
    }
}

// The power fails before a host call or half-way through a write; the machine restarts with what the disk
// held, having kept every change of names that was not yet on disk, or lost every one.
TEST(PowerCut, EveryMomentLeavesTheInstallationOldOrNewAndTheNextStartCompletes)
{
    for (Scenario scenario : kScenarios) {
        const CleanRun clean(scenario);
        ASSERT_GT(clean.moments, 100);
        for (bool losePendingNames : {true, false}) {
            int recovered = 0;
            // The last moment is after the run: the program has ended, and what it left unflushed may be lost.
            for (int cutAt = 1; cutAt <= clean.moments + 1; ++cutAt) {
                FullUpdate run(scenario);
                run.host.cutAt = cutAt;
                run.host.losePendingNames = losePendingNames;
                run.Run();
                run.host.Moment();
                ASSERT_TRUE(run.host.afterCut) << cutAt;
                const std::string where = std::string(ScenarioName(scenario)) + (losePendingNames ? ", names lost" : "") +
                                          ", cut at moment " + std::to_string(cutAt) + " (after " +
                                          run.host.cutDuring + ")";
                // Told updated before the power failed: the update must survive the cut.
                bool toldDone = false;
                for (size_t box = 0; box < run.host.boxesAtCut; ++box)
                    toldDone = toldDone || run.host.boxes[box].text == FakeHost::Id(IDS_UPDATE_DONE);
                const FakeTree disk = *run.host.afterCut;
                FakeTree now = InstallationFiles(disk);
                std::string inPlace = scenario == Scenario::SettingsOpen ? FakeHost::Normalise(kInstall + "\\tavilo1.ini") : "";
                ExpectEachFileWhole(clean.before, clean.after, now, where, inPlace);
                run.Restart(disk);
                recovered += run.host.Find(kInstall + "\\parvel.journal") != nullptr;
                ExpectNextStartCompletes(run, clean, toldDone, where);
            }
            // Cuts fell inside the commit, where only the journal can make the installation whole.
            if (scenario != Scenario::CommitCancelled) {
                EXPECT_GT(recovered, 10) << ScenarioName(scenario);
            }
        }
    }
}

} // namespace
