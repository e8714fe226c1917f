// The run log's lines: what support staff read of a run, in order, in the product's code page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RunLog.h"

namespace {

struct Recorder {
    std::vector<std::string> lines;
    int seconds = 0;
    RunLog log{[this](const std::string& line) { lines.push_back(line); },
               [this] { return LogTime{2026, 1, 2, 3, 4, seconds++}; }};
};

JournalEntry MakeEntry(size_t index, int disk, int kind, const char* source, const char* destination,
                       EntryOutcome outcome)
{
    JournalEntry entry;
    entry.index = index;
    entry.disk = disk;
    entry.kind = kind == 1 ? EntryKind::Archive : EntryKind::LooseFile;
    entry.source = source;
    entry.destination = destination;
    entry.outcome = outcome;
    return entry;
}

TEST(RunLog, ACompleteRunInTheOrderItHappened)
{
    Recorder r;
    r.log.RunStarting("A:", "積算システム 電気", "C:\\積算\\電気");
    r.log.Identified("C:\\積算\\電気\\tavilo1.ini", Edition(3));
    r.log.Entry(MakeEntry(0, 1, 1, "A:START3.lzh", "C:\\積算\\電気\\", EntryOutcome::Applied));
    r.log.Entry(MakeEntry(1, 1, 1, "A:EXCEL.lzh", "C:\\積算\\電気\\形式\\", EntryOutcome::Kept));
    r.log.Entry(MakeEntry(2, 2, 0, "A:README.TXT", "C:\\積算\\電気\\README.TXT", EntryOutcome::Applied));
    r.log.SettingsKey("C:\\積算\\電気\\tavilo1.ini", "SYSTEM", "GENGOU", "令和", true);
    r.log.SettingsKey("C:\\積算\\電気\\mok3.ini", "HISTORY", "抽出開始日ON", "1", false);
    r.log.ConversionDone(Conversion::MaterialSize, true);
    r.log.ConversionDone(Conversion::MaterialType, false);
    r.log.CommitDone(CommitResult::Committed, 9);
    r.log.MessageShown("システムは正常に更新されました。", "確認");
    r.log.Finished(RunOutcome::Updated);
    const std::vector<std::string> expected = {
        "Parvel 更新ログ 2026-01-02 03:04:00",
        "メディア: A:",
        "info.txt の 1 行目: 積算システム 電気",
        "",
        "03:04:01 更新 1 を始めます。インストール先: C:\\積算\\電気",
        "03:04:02 設定ファイル: C:\\積算\\電気\\tavilo1.ini　版: 3（START 書庫は START3.lzh）",
        "03:04:03 項目 1（1 枚目）書庫 A:START3.lzh → C:\\積算\\電気\\: 展開しました",
        "03:04:04 項目 2（1 枚目）書庫 A:EXCEL.lzh → C:\\積算\\電気\\形式\\: "
        "展開しませんでした（インストール先のひな形を残します）",
        "03:04:05 項目 3（2 枚目）ファイル A:README.TXT → C:\\積算\\電気\\README.TXT: 複写しました",
        "03:04:06 キー C:\\積算\\電気\\tavilo1.ini [SYSTEM] GENGOU=令和: 書きました",
        "03:04:07 キー C:\\積算\\電気\\mok3.ini [HISTORY] 抽出開始日ON=1: 書けませんでした",
        "03:04:08 材料サイズ変換: 成功しました",
        "03:04:09 材料タイプ変換: 失敗しました",
        "03:04:10 インストール先のファイル 9 個を新しいものに置き換えました。",
        "03:04:11 メッセージ「確認」: システムは正常に更新されました。",
        "03:04:12 更新 1 の結果: 更新を終えました（プログラムを終わります）",
    };
    EXPECT_EQ(r.lines, expected);
}

// A refused folder, then a run that stops at an entry: the medium is named once, each run by its number.
TEST(RunLog, ARefusedFolderThenAFailedEntry)
{
    Recorder r;
    r.log.RunStarting("Z:\\media\\", "", "C:\\WRONG");
    r.log.IdentificationFailed(IdentificationFailure::SettingsFileNotFound, "C:\\WRONG\\pemiraz1.ini");
    r.log.MessageShown("ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞが正しくないと思われます。", "エラー");
    r.log.Finished(RunOutcome::NotInstalled);
    r.log.RunStarting("Z:\\media\\", "", "C:\\APP");
    r.log.Identified("C:\\APP\\pemiraz1.ini", Edition(Edition::kMakerOther));
    r.log.Entry(MakeEntry(0, 2, 1, "A:DISK2.lzh", "C:\\APP\\", EntryOutcome::Cancelled));
    r.log.Entry(MakeEntry(1, 1, 0, "Z:\\media\\A.TXT", "C:\\APP\\A.TXT", EntryOutcome::Failed));
    r.log.Entry(MakeEntry(2, 1, 1, "Z:\\media\\B.lzh", "C:\\APP\\", EntryOutcome::Failed));
    r.log.ChecksDone(false, 12);
    r.log.NothingChanged();
    r.log.Finished(RunOutcome::StoppedBeforeWriting);
    const std::vector<std::string> expected = {
        "Parvel 更新ログ 2026-01-02 03:04:00",
        "メディア: Z:\\media\\",
        "info.txt の 1 行目: ",
        "",
        "03:04:01 更新 1 を始めます。インストール先: C:\\WRONG",
        "03:04:02 設定ファイルが見つかりません。最後に探したもの: C:\\WRONG\\pemiraz1.ini",
        "03:04:03 メッセージ「エラー」: ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞが正しくないと思われます。",
        "03:04:04 更新 1 の結果: インストール先に更新できるシステムがありません（インストール先の選択に戻ります）",
        "",
        "03:04:05 更新 2 を始めます。インストール先: C:\\APP",
        "03:04:06 設定ファイル: C:\\APP\\pemiraz1.ini　版: 99（START 書庫は START99.lzh）",
        "03:04:07 項目 1（2 枚目）書庫 A:DISK2.lzh → C:\\APP\\: 取り消されました（ディスクの求めに OK 以外で答えました）",
        "03:04:08 項目 2（1 枚目）ファイル Z:\\media\\A.TXT → C:\\APP\\A.TXT: 複写に失敗しました",
        "03:04:09 項目 3（1 枚目）書庫 Z:\\media\\B.lzh → C:\\APP\\: 展開に失敗しました",
        "03:04:10 書き込み前の確認（使用中のファイル、空き容量、書き込みの権限）: 更新を中止します（12 ミリ秒）",
        "03:04:11 インストール先は何も変更していません。作業ファイルは削除しました。",
        "03:04:12 更新 2 の結果: インストール先に何も書かずに止まりました（プログラムを終わります）",
    };
    EXPECT_EQ(r.lines, expected);
}

// An unattended run as support staff read it: paths as a person writes them, each box with the answer it
// got although no one saw it, and the exit code last.
TEST(RunLog, AnUnattendedRunWithTheAnswersAndTheExitCode)
{
    Recorder r;
    r.log.RunStarting("\\\\srv\\media\\", "", "C:\\積算\\電気\\");
    r.log.Entry(MakeEntry(0, 1, 1, "\\\\srv\\media\\MASTER.lzh", "C:\\積算\\電気\\\\MASTER\\1\\",
                          EntryOutcome::Applied));
    r.log.SettingsKey("C:\\積算\\電気\\\\tavilo1.ini", "SYSTEM", "GENGOU", "令和", true);
    r.log.MessageShown("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。", "確認");
    r.log.AnsweredUnshown("2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。", "確認", true);
    // A box the run did not report itself is named with its answer.
    r.log.AnsweredUnshown("C:\\積算\\電気\\形式\\横A-A4g.xlsm", "エラー", true);
    r.log.MessageShown("システムは正常に更新されました。", "確認");
    r.log.AnsweredUnshown("システムは正常に更新されました。", "確認", false);
    r.log.ProgramEnding(ExitCode::StoppedPartWay);
    const std::vector<std::string> expected = {
        "Parvel 更新ログ 2026-01-02 03:04:00",
        "メディア: \\\\srv\\media\\",
        "info.txt の 1 行目: ",
        "",
        "03:04:01 更新 1 を始めます。インストール先: C:\\積算\\電気\\",
        "03:04:02 項目 1（1 枚目）書庫 \\\\srv\\media\\MASTER.lzh → C:\\積算\\電気\\MASTER\\1\\: 展開しました",
        "03:04:03 キー C:\\積算\\電気\\tavilo1.ini [SYSTEM] GENGOU=令和: 書きました",
        "03:04:04 メッセージ「確認」: 2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。",
        "03:04:05 （表示せずに「キャンセル」と答えました）",
        "03:04:06 メッセージ「エラー」: C:\\積算\\電気\\形式\\横A-A4g.xlsm",
        "03:04:07 （表示せずに「キャンセル」と答えました）",
        "03:04:08 メッセージ「確認」: システムは正常に更新されました。",
        "03:04:09 （表示せずに「OK」と答えました）",
        "03:04:10 終了コード 4: 置き換えの途中で止まりました（次の起動で更新を最後まで行います）",
    };
    EXPECT_EQ(r.lines, expected);
}

TEST(RunLog, ARefusedCommandLine)
{
    Recorder r;
    r.log.Opening("D:\\UPDATE\\", "積算システム電気");
    r.log.Opening("D:\\UPDATE\\", "積算システム電気");
    r.log.CommandLineRefused("/DIR");
    r.log.ProgramEnding(ExitCode::BadCommandLine);
    const std::vector<std::string> expected = {
        "Parvel 更新ログ 2026-01-02 03:04:00",
        "メディア: D:\\UPDATE\\",
        "info.txt の 1 行目: 積算システム電気",
        "03:04:01 コマンドラインの「/DIR」を読めないため、何もしませんでした。",
        "03:04:02 終了コード 5: コマンドラインが正しくありません",
    };
    EXPECT_EQ(r.lines, expected);
}

TEST(RunLog, EveryLineOfAMessageStaysInTheLog)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"一行目\r\n二行目", {"03:04:00 メッセージ「確認」: 一行目", "         二行目"}},
        {"a\nb\r\n\r\nc", {"03:04:00 メッセージ「確認」: a", "         b", "         ", "         c"}},
        {"末尾\r\n", {"03:04:00 メッセージ「確認」: 末尾", "         "}},
        {"lone\rcr", {"03:04:00 メッセージ「確認」: lone", "         cr"}},
    };
    for (const Case& c : cases) {
        Recorder r;
        r.log.MessageShown(c.text, "確認");
        EXPECT_EQ(r.lines, c.lines) << c.text;
    }
}

TEST(RunLog, FileNameFromTheStartingTime)
{
    EXPECT_EQ(RunLogFileName({2026, 12, 7, 14, 5, 9}), "Parvel-20261207-140509.log");
    EXPECT_EQ(RunLogFileName({1999, 1, 31, 0, 0, 0}), "Parvel-19990131-000000.log");
}

// Events alone, each a line of its own: a refused folder with the reason and the settings file looked at, a
// broken entry line; a program run that began no log (cancelled on the notice page) writes no exit code.
TEST(RunLog, EventsAlone)
{
    const std::pair<std::function<void(RunLog&)>, std::string> cases[] = {
        {[](RunLog& log) { log.IdentificationFailed(IdentificationFailure::SettingsFileNotFound, "C:\\A\\x.ini"); },
         "設定ファイルが見つかりません。最後に探したもの: C:\\A\\x.ini"},
        {[](RunLog& log) { log.IdentificationFailed(IdentificationFailure::FolderNotValid, "C:\\A\\x.ini"); },
         "インストール先に目印のファイルがそろっていません。設定ファイル: C:\\A\\x.ini"},
        {[](RunLog& log) { log.IdentificationFailed(IdentificationFailure::KindNotRecognised, "C:\\A\\x.ini"); },
         "設定ファイルの TITLE から版を判別できません。設定ファイル: C:\\A\\x.ini"},
        {[](RunLog& log) { log.BrokenEntryLine(47); },
         "info.txt の 47 行目が項目行として読めないため、何も更新しませんでした。"},
        {[](RunLog& log) { log.ProgramEnding(ExitCode::Cancelled); }, ""},
    };
    for (const auto& [event, line] : cases) {
        Recorder r;
        event(r.log);
        EXPECT_EQ(r.lines, line.empty() ? std::vector<std::string>{} : std::vector<std::string>{"03:04:00 " + line});
    }
}

} // namespace

namespace {

// Every outcome's exit code, and the log's last line that names it for support staff. A cancel that no person
// gave is a stop before anything was written, not a person's cancel.
TEST(ExitCode, EveryOutcomeWithItsCodeAndItsLine)
{
    const struct { RunOutcome outcome; bool questionRefused; ExitCode code; const char* line; } cases[] = {
        {RunOutcome::Updated, false, ExitCode::Updated, "終了コード 0: 更新を終えました"},
        {RunOutcome::Cancelled, false, ExitCode::Cancelled, "終了コード 1: 取り消されました"},
        {RunOutcome::Cancelled, true, ExitCode::StoppedBeforeWriting,
         "終了コード 3: インストール先に何も書かずに止まりました"},
        {RunOutcome::NotInstalled, false, ExitCode::NotInstalled,
         "終了コード 2: インストール先に更新できるシステムがありません"},
        {RunOutcome::StoppedBeforeWriting, false, ExitCode::StoppedBeforeWriting,
         "終了コード 3: インストール先に何も書かずに止まりました"},
        {RunOutcome::Recovered, false, ExitCode::Updated, "終了コード 0: 更新を終えました"},
        {RunOutcome::Failed, true, ExitCode::StoppedPartWay,
         "終了コード 4: 置き換えの途中で止まりました（次の起動で更新を最後まで行います）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Recorder r;
        r.log.Opening("A:", "");
        r.log.ProgramEnding(ExitCodeOf(c.outcome, c.questionRefused));
        EXPECT_EQ(ExitCodeOf(c.outcome, c.questionRefused), c.code);
        EXPECT_EQ(r.lines.back(), std::string("03:04:01 ") + c.line);
    }
}

} // namespace
