// The journal and the next start's recovery, from every state a cut can leave one replacement in.
#include "FakeHost.h"
#include "Transaction.h"

#include <gtest/gtest.h>

namespace {

const std::string kFolder = "C:\\APP\\";
const std::string kTarget = kFolder + "a.txt", kWork = kTarget + ".parvel~", kAside = kTarget + ".parvel-old";
const std::string kJournal = kFolder + "parvel.journal";

RetryAnswer NoRetry(const std::string&) { return RetryAnswer::Cancel; }

TEST(Journal, ReadsBackWhatItWroteAndNothingElse)
{
    const std::vector<Replacement> replacements = {{kWork, kTarget, false, true}, {"C:\\B\\x.parvel~", "C:\\B\\x", true}};
    std::vector<Replacement> read;
    ASSERT_TRUE(ParseJournal(JournalText(replacements), read));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].work + "|" + read[1].target + "|" + std::to_string(read[1].inPlace), "C:\\B\\x.parvel~|C:\\B\\x|1");
    const std::string whole = JournalText(replacements);
    const std::string refused[] = {
        whole.substr(0, whole.size() - 5),                                  // cut before its end
        "PARVEL JOURNAL 1\r\nR\tC:\\WINDOWS\\x.dll\tC:\\APP\\a.txt\r\nEND\r\n", // not our work name
        "PARVEL JOURNAL 1\r\nX\t" + kWork + "\t" + kTarget + "\r\nEND\r\n",  // unknown kind
        "PARVEL JOURNAL 2\r\nEND\r\n",
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseJournal(text, read)) << text;
}

// Each state a commit passes through, with the journal on disk: the next start always ends with the new file
// under the target's name and nothing of the update's own left.
TEST(Recovery, FinishesEveryStateForward)
{
    struct State {
        const char* what;
        const char *target, *work, *aside; // bytes, or null for no such file
    } states[] = {
        {"journal written, nothing renamed", "old", "new", nullptr},
        {"original kept aside", "old", "new", "old"},
        {"renamed", "new", nullptr, "old"},
        {"set-aside original removed", "new", nullptr, nullptr},
        {"a new file, not yet renamed", nullptr, "new", nullptr},
    };
    for (const State& state : states) {
        FakeHost host;
        host.AddFolder(kFolder);
        host.AddFile(kJournal, JournalText({{kWork, kTarget}}));
        for (auto [path, bytes] : {std::pair{kTarget, state.target}, {kWork, state.work}, {kAside, state.aside}}) {
            if (bytes)
                host.AddFile(path, bytes);
        }
        EXPECT_EQ(Recover(host, kFolder, NoRetry).result, RecoveryResult::Completed) << state.what;
        EXPECT_EQ(host.Bytes(kTarget), "new") << state.what;
        for (const std::string& gone : {kWork, kAside, kJournal})
            EXPECT_FALSE(host.Find(gone)) << state.what << ": " << gone;
    }
}

TEST(Recovery, AJournalThatNeverBecameWholeOnlyClearsItsWorkFiles)
{
    FakeHost host;
    host.AddFile(kTarget, "old");
    host.AddFile(kWork, "new");
    const std::string text = JournalText({{kWork, kTarget}});
    host.AddFile(kJournal + ".parvel~", text.substr(0, text.size() - 3));
    EXPECT_EQ(Recover(host, kFolder, NoRetry).result, RecoveryResult::Discarded);
    EXPECT_EQ(host.Bytes(kTarget), "old");
    EXPECT_FALSE(host.Find(kWork) || host.Find(kJournal + ".parvel~"));

    // A journal that is not ours renames nothing and stays for a person to look at.
    host.AddFile(kWork, "new");
    host.AddFile(kJournal, "PARVEL JOURNAL 1\r\nR\tC:\\APP\\b.parvel~\tC:\\APP\\a.txt\r\nEND\r\n");
    RecoveryReport report = Recover(host, kFolder, NoRetry);
    EXPECT_EQ(report.result, RecoveryResult::Failed);
    EXPECT_EQ(report.failedTarget, kJournal);
    EXPECT_EQ(host.Bytes(kTarget), "old");
}

} // namespace
