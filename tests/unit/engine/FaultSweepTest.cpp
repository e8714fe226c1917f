// A whole update run once for every failable host call of that run, with that one call failing.
#include "RunScenario.h"
#include "UpdateEngine.h"
#include "WholeFiles.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// Every file wholly old or wholly new, none of the old ones missing.
void ExpectOldOrNew(const FakeTree& before, const FakeTree& after, const FakeTree& now, const std::string& what)
{
    for (const auto& [path, file] : before)
        EXPECT_TRUE(now.count(path)) << what << ": " << path << " is missing";
    for (const auto& [path, file] : now) {
        auto old = before.find(path);
        auto complete = after.find(path);
        ASSERT_TRUE(old != before.end() || complete != after.end()) << what << ": stray " << path;
        if (file.directory)
            continue;
        EXPECT_TRUE(IsOldOrNew(path, file.bytes, old != before.end() ? &old->second.bytes : nullptr,
                               complete != after.end() ? &complete->second.bytes : nullptr))
            << what << ": " << path << " holds " << file.bytes;
    }
}

bool SameFiles(const FakeTree& a, const FakeTree& b)
{
    if (a.size() != b.size())
        return false;
    for (const auto& [path, file] : a) {
        auto other = b.find(path);
        if (other == b.end() || other->second.directory != file.directory ||
            !SameProfileOrBytes(path, file.bytes, other->second.bytes))
            return false;
    }
    return true;
}

// Running the update again completes it and leaves no work file.
void ExpectRerunCompletes(FullUpdate& run, const FakeTree& after, const std::string& where)
{
    const FakeTree expected = AfterRerun(InstallationFiles(run.host.files), after);
    run.host.failAt = 0;
    run.host.cutAt = 0;
    run.host.boxes.clear();
    run.InsertDisk(1);
    UpdateDescription again = run.description;
    EXPECT_EQ(RunUpdate(again, kMedium, run.host), 1) << where;
    EXPECT_EQ(run.host.Texts().back(), FakeHost::Id(IDS_UPDATE_DONE)) << where;
    EXPECT_TRUE(SameFiles(InstallationFiles(run.host.files), expected)) << where;
    for (const auto& [path, file] : run.host.files)
        EXPECT_TRUE(path.find(".PARVEL~") == std::string::npos && path.find("TEMP.MST") == std::string::npos)
            << where << ": " << path << " left";
}

struct CleanRun {
    FullUpdate update;
    FakeTree before, after;
    CleanRun()
    {
        before = InstallationFiles(update.host.files);
        UpdateDescription description = update.description;
        EXPECT_EQ(RunUpdate(description, kMedium, update.host), 1);
        EXPECT_EQ(update.host.Texts().back(), FakeHost::Id(IDS_UPDATE_DONE));
        after = InstallationFiles(update.host.files);
        EXPECT_FALSE(SameFiles(before, after));
    }
};

TEST(FaultSweep, EveryFailedCallIsToldAndLeavesTheInstallationWhole)
{
    const std::string done = FakeHost::Id(IDS_UPDATE_DONE);
    const CleanRun clean;
    const int calls = clean.update.host.failableCalls;
    ASSERT_GT(calls, 60);

    int identificationFailures = 0, incomplete = 0;
    for (int failAt = 1; failAt <= calls; ++failAt) {
        FullUpdate run;
        run.host.failAt = failAt;
        UpdateDescription d = run.description;
        int result = RunUpdate(d, kMedium, run.host);
        const std::string where = "failing call " + std::to_string(failAt) + " (" + run.host.failedCall + ")";

        ASSERT_FALSE(run.host.boxes.empty()) << where;
        const Box& last = run.host.boxes.back();
        EXPECT_FALSE(last.diskPrompt) << where;
        FakeTree now = InstallationFiles(run.host.files);
        bool identification = last.text == FakeHost::Id(IDS_WRONG_FOLDER) ||
                              last.text == FakeHost::Id(IDS_FOLDER_NOT_VALID) ||
                              last.text == FakeHost::Id(IDS_KIND_NOT_RECOGNISED);
        EXPECT_EQ(result, identification ? 0 : 1) << where;
        identificationFailures += identification;
        if (identification) {
            EXPECT_TRUE(SameFiles(now, clean.before)) << where << ": identification wrote";
        }
        ExpectOldOrNew(clean.before, clean.after, now, where);
        bool complete = SameFiles(now, clean.after);
        incomplete += !complete;
        // A failed existence test or folder listing is no "missing": it never ends in success.
        EXPECT_EQ(last.text == done, complete) << where << ": " << last.text;
        ExpectRerunCompletes(run, clean.after, where);
    }
    // The sweep reached every phase: identification, and failures that stopped the update short.
    EXPECT_GT(identificationFailures, 5);
    EXPECT_GT(incomplete, 30);
}

// The power fails before a host call or half-way through a write; the machine restarts with what the disk held.
TEST(PowerCut, EveryMomentLeavesEveryFileWholeAndARerunCompletes)
{
    const CleanRun clean;
    const int moments = clean.update.host.moments;
    ASSERT_GT(moments, 100);

    int halfDone = 0;
    for (int cutAt = 1; cutAt <= moments; ++cutAt) {
        FullUpdate run;
        run.host.cutAt = cutAt;
        UpdateDescription d = run.description;
        RunUpdate(d, kMedium, run.host);
        ASSERT_TRUE(run.host.afterCut) << cutAt;
        const std::string where = "cut at moment " + std::to_string(cutAt) + " (after " + run.host.cutDuring + ")";
        run.host.files = *run.host.afterCut;
        FakeTree now = InstallationFiles(run.host.files);
        ExpectOldOrNew(clean.before, clean.after, now, where);
        for (const auto& [path, file] : clean.before) {
            if (path.find(".MST") != std::string::npos) {
                EXPECT_TRUE(now.count(path)) << where << ": master " << path << " is missing";
            }
        }
        halfDone += !SameFiles(now, clean.before) && !SameFiles(now, clean.after);
        ExpectRerunCompletes(run, clean.after, where);
    }
    // Cuts fell between the first replace and the last conversion.
    EXPECT_GT(halfDone, 20);
}

} // namespace
