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

TEST(FaultSweep, EveryFailedCallIsToldAndLeavesTheInstallationWhole)
{
    const std::string done = FakeHost::Id(IDS_UPDATE_DONE);
    FullUpdate clean;
    const FakeTree before = InstallationFiles(clean.host.files);
    UpdateDescription description = clean.description;
    ASSERT_EQ(RunUpdate(description, kMedium, clean.host), 1);
    ASSERT_EQ(clean.host.Texts().back(), done);
    const FakeTree after = InstallationFiles(clean.host.files);
    ASSERT_FALSE(SameFiles(before, after));
    const int calls = clean.host.failableCalls;
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
            EXPECT_TRUE(SameFiles(now, before)) << where << ": identification wrote";
        }
        ExpectOldOrNew(before, after, now, where);
        bool complete = SameFiles(now, after);
        incomplete += !complete;
        // An existence test that fails cannot be told from a missing folder: the template check then keeps
        // the installed workbook, as it does when the install folder is gone.
        bool templateKept = run.host.failedCall == "Exists C:\\APP\\\\" && now.at(FakeHost::Normalise(kTemplate)).bytes == "old book";
        if (templateKept)
            now[FakeHost::Normalise(kTemplate)] = after.at(FakeHost::Normalise(kTemplate));
        EXPECT_EQ(last.text == done, SameFiles(now, after)) << where << ": " << last.text;

        // Running the update again completes it and leaves no work file.
        run.host.failAt = 0;
        run.host.boxes.clear();
        run.InsertDisk(1);
        UpdateDescription again = run.description;
        EXPECT_EQ(RunUpdate(again, kMedium, run.host), 1) << where;
        EXPECT_EQ(run.host.Texts().back(), done) << where;
        EXPECT_TRUE(SameFiles(InstallationFiles(run.host.files), after)) << where;
        for (const auto& [path, file] : run.host.files)
            EXPECT_TRUE(path.find(".PARVEL~") == std::string::npos && path.find("TEMP.MST") == std::string::npos)
                << where << ": " << path << " left";
    }
    // The sweep reached every phase: identification, and failures that stopped the update short.
    EXPECT_GT(identificationFailures, 5);
    EXPECT_GT(incomplete, 30);
}

} // namespace
