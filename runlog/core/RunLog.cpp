// The log's texts are written here in UTF-8 and compiled to CP932 (-fexec-charset), like the paths and
// messages they frame.
#include "RunLog.h"

#include "Installation.h"

#include "Cp932.h"

#include <cstdio>
#include <string_view>
#include <utility>

namespace {

std::string Digits(const char* format, int a, int b, int c)
{
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string DateText(const LogTime& t) { return Digits("%04d-%02d-%02d", t.year, t.month, t.day); }
std::string TimeText(const LogTime& t) { return Digits("%02d:%02d:%02d", t.hour, t.minute, t.second); }

const char* IdentificationText(IdentificationFailure failure)
{
    switch (failure) {
    case IdentificationFailure::SettingsFileNotFound:
        return "設定ファイルが見つかりません。最後に探したもの: ";
    case IdentificationFailure::FolderNotValid:
        return "インストール先に目印のファイルがそろっていません。設定ファイル: ";
    case IdentificationFailure::KindNotRecognised:
        return "設定ファイルの TITLE から版を判別できません。設定ファイル: ";
    }
    return "";
}

const char* OutcomeText(EntryOutcome outcome, bool archive)
{
    switch (outcome) {
    case EntryOutcome::Applied:
        return archive ? "展開しました" : "複写しました";
    case EntryOutcome::Kept:
        return "展開しませんでした（インストール先のひな形を残します）";
    case EntryOutcome::Cancelled:
        return "取り消されました（ディスクの求めに OK 以外で答えました）";
    case EntryOutcome::Failed:
        return archive ? "展開に失敗しました" : "複写に失敗しました";
    }
    return "";
}

const char* ExitCodeText(ExitCode code)
{
    switch (code) {
    case ExitCode::Updated:
        return "更新を終えました";
    case ExitCode::Cancelled:
        return "取り消されました";
    case ExitCode::NotInstalled:
        return "インストール先に更新できるシステムがありません";
    case ExitCode::StoppedBeforeWriting:
        return "インストール先に何も書かずに止まりました";
    case ExitCode::StoppedPartWay:
        return "置き換えの途中で止まりました（次の起動で更新を最後まで行います）";
    case ExitCode::BadCommandLine:
        return "コマンドラインが正しくありません";
    }
    return "";
}

std::string MessageKey(const std::string& text, const std::string& caption) { return caption + '\0' + text; }

} // namespace

std::string RunLogFileName(const LogTime& t)
{
    return "Parvel-" + Digits("%04d%02d%02d", t.year, t.month, t.day) + "-" +
           Digits("%02d%02d%02d", t.hour, t.minute, t.second) + ".log";
}

RunLog::RunLog(Sink sink, Clock clock) : m_sink(std::move(sink)), m_clock(std::move(clock)) {}

void RunLog::Opening(const std::string& programDirectory, const std::string& title)
{
    if (m_opened)
        return;
    m_opened = true;
    LogTime now = m_clock();
    m_sink("Parvel 更新ログ " + DateText(now) + " " + TimeText(now));
    m_sink("メディア: " + ShownPath(programDirectory));
    m_sink("info.txt の 1 行目: " + title);
}

void RunLog::RunStarting(const std::string& programDirectory, const std::string& title,
                         const std::string& installFolder)
{
    Opening(programDirectory, title);
    m_sink("");
    Write("更新 " + std::to_string(++m_runs) + " を始めます。インストール先: " + ShownPath(installFolder));
}

void RunLog::CommandLineRefused(const std::string& word)
{
    Write("コマンドラインの「" + word + "」を読めないため、何もしませんでした。");
}

void RunLog::AnsweredUnshown(const std::string& text, const std::string& caption, bool cancelled)
{
    if (m_lastMessage != MessageKey(text, caption))
        MessageShown(text, caption);
    Write(cancelled ? "（表示せずに「キャンセル」と答えました）" : "（表示せずに「OK」と答えました）");
}

void RunLog::ProgramEnding(ExitCode code)
{
    if (!m_opened)
        return;
    Write("終了コード " + std::to_string(static_cast<int>(code)) + ": " + ExitCodeText(code));
}

void RunLog::Identified(const std::string& settingsPath, Edition edition)
{
    std::string kind = std::to_string(edition.Number());
    Write("設定ファイル: " + ShownPath(settingsPath) + "　版: " + kind + "（START 書庫は START" + kind + ".lzh）");
}

void RunLog::IdentificationFailed(IdentificationFailure failure, const std::string& settingsPath)
{
    Write(IdentificationText(failure) + ShownPath(settingsPath));
}

void RunLog::BrokenEntryLine(size_t line)
{
    Write("info.txt の " + std::to_string(line) + " 行目が項目行として読めないため、何も更新しませんでした。");
}

void RunLog::Entry(const JournalEntry& entry)
{
    bool archive = entry.IsArchive();
    Write("項目 " + std::to_string(entry.index + 1) + "（" + std::to_string(entry.disk) + " 枚目）" +
          (archive ? "書庫 " : "ファイル ") + ShownPath(entry.source) + " → " + ShownPath(entry.destination) +
          ": " + OutcomeText(entry.outcome, archive));
}

void RunLog::SettingsKey(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& value, bool written)
{
    Write("キー " + ShownPath(file) + " [" + section + "] " + key + "=" + value + ": " +
          (written ? "書きました" : "書けませんでした"));
}

void RunLog::ConversionDone(Conversion conversion, bool succeeded)
{
    Write(std::string(conversion == Conversion::MaterialSize ? "材料サイズ変換" : "材料タイプ変換") + ": " +
          (succeeded ? "成功しました" : "失敗しました"));
}

void RunLog::WrittenInPlace(const std::string& file)
{
    Write("設定ファイル " + file + " は他のプログラムが開いていて置き換えられないため、その場で書きました。");
}

void RunLog::ChecksDone(bool passed, uint64_t milliseconds)
{
    Write("書き込み前の確認（使用中のファイル、空き容量、書き込みの権限）: " +
          std::string(passed ? "問題ありません" : "更新を中止します") + "（" + std::to_string(milliseconds) +
          " ミリ秒）");
}

void RunLog::NothingChanged()
{
    Write("インストール先は何も変更していません。作業ファイルは削除しました。");
}

void RunLog::MessageShown(const std::string& text, const std::string& caption)
{
    m_lastMessage = MessageKey(text, caption);
    Write("メッセージ「" + caption + "」: " + text);
}

void RunLog::Recovery(RecoveryResult result, const std::string& failedFile)
{
    switch (result) {
    case RecoveryResult::NoJournal: return;
    case RecoveryResult::Completed:
        Write("前回途中で終わった更新の記録（" + std::string(install::kJournalFile) +
              "）があったため、その置き換えを最後まで行いました。インストール先は更新後の状態です。");
        return;
    case RecoveryResult::Discarded:
        Write("前回途中で終わった更新の記録は書きかけでした（置き換えは始まっていません）。作業ファイルを削除し、"
              "更新を初めから行います。");
        return;
    case RecoveryResult::Failed: break;
    }
    Write("前回途中で終わった更新を完了できませんでした: " + ShownPath(failedFile) + "（記録は次の起動のために残しました）");
}

void RunLog::CommitDone(CommitResult result, size_t files)
{
    switch (result) {
    case CommitResult::Committed:
        Write("インストール先のファイル " + std::to_string(files) + " 個を新しいものに置き換えました。");
        return;
    case CommitResult::Cancelled:
    case CommitResult::Failed:
        Write("置き換えを中止し、元のファイルをすべて戻しました。");
        return;
    case CommitResult::Incomplete: break;
    }
    Write("置き換えを中止しましたが、元のファイルを戻せませんでした。次の起動で置き換えを最後まで行います。");
}

void RunLog::Finished(RunOutcome outcome)
{
    bool again = outcome == RunOutcome::NotInstalled;
    Write("更新 " + std::to_string(m_runs) + " の結果: " + ExitCodeText(ExitCodeOf(outcome, false)) +
          (again ? "（インストール先の選択に戻ります）" : "（プログラムを終わります）"));
}

void RunLog::Write(const std::string& text)
{
    // CP932 trail bytes are never CR or LF, so a byte-wise split keeps every character whole.
    const std::string indent(9, ' ');
    std::string line = TimeText(m_clock()) + " ";
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        m_sink(line);
        line = indent;
    }
    m_sink(line);
}
