// The checker's texts. Written here in UTF-8 and compiled to CP932 (-fexec-charset), the product's code page.
#include "Findings.h"

#include <utility>

namespace {

constexpr std::pair<FindingId, const char*> kTexts[] = {
    {FindingId::InfoMissing, "info.txt がありません。"},
    {FindingId::BrokenEntryLine,
     "カンマがありますが、項目行（ディスク,種類,名前,展開先）として読めません。ウィザードはこの行を飛ばします。"},
    {FindingId::DiskNotGiven, "%1 枚目のディスクが指定されていません（%2）。"},
    {FindingId::ArchiveMissing, "書庫 %1 が%2にありません。"},
    {FindingId::LooseFileMissing, "ファイル %1 が%2にありません。"},
    {FindingId::PictureMissing, "絵のファイル %1 が%2にありません。"},
    {FindingId::PictureUnpaintable, "ビットマップとして読めないため、この絵は描かれません。"},
    {FindingId::ArchiveUnreadable, "書庫を読み込めません。"},
    {FindingId::ArchiveNotLzh, "LZH 形式の書庫ではありません。"},
    {FindingId::ArchiveBrokenHeader, "書庫のヘッダーが壊れています。"},
    {FindingId::ArchiveMethod, "%1 は対応していない圧縮方式 %2 です。"},
    {FindingId::ArchiveUnsafeName, "安全でないファイル名 %1 があるため、展開されません。"},
    {FindingId::ArchiveTruncated, "書庫が途中で切れています。"},
    {FindingId::ArchiveBrokenData, "%1 のデータが壊れています。"},
    {FindingId::ArchiveCrc, "%1 は CRC が合いません。"},
    {FindingId::ArchiveEmpty, "書庫にファイルが一つも入っていません。"},
    {FindingId::SkippedLine, "カンマのない行は項目として読まれず、飛ばされます。"},
    {FindingId::EditionArchiveMissing,
     "版 %1（%2）の START%1.lzh が%3にありません。この版のインストールは更新できません。"},
    {FindingId::EditionKeyword, "キーワード「%1」"},
    {FindingId::EditionMakerOne, "MAKER が 1"},
    {FindingId::EditionMakerOther, "MAKER が 1 以外"},
    {FindingId::PromptNeverEnds,
     "%1 枚目のディスクを求めるとき、ウィザードは %2 を探しますが、そのディスクにありません。求めが終わりません。"},
    {FindingId::TextTrailingTab, "最後のバイトが TAB です。改行にならず、そのまま表示されます。"},
    {FindingId::TextTooManyTabs, "TAB が %1 個あります。改行になるのは最初の 100 個だけです。"},
    {FindingId::NotANumber, "「%1」は数として読めないため、%2 と見なされます。"},
    {FindingId::MasterAdjustNoEffect,
     "値 %1 ではマスタ変換は行われません（1 のときだけ）。通知ページの題は「マスタ調整機能付」になります。"},
    {FindingId::CategoryNoEffect, "分類 %1 は 1 から 4 のどれでもないため、種別のキーは書かれません。"},
    {FindingId::SettingsFileEmpty, "設定ファイル名が空です。インストール先のフォルダーそのものが設定ファイルと見なされます。"},
    {FindingId::SettingsFileNotNull,
     "「%1」は NULL ではありません（大文字と小文字を区別します）。tavilo1.ini と pemiraz1.ini は探されず、%1 という名前のファイルが探されます。"},
    {FindingId::LabelError, "エラー"},
    {FindingId::LabelWarning, "警告"},
    {FindingId::WhereMedium, "媒体"},
    {FindingId::WhereDisk, " %1 枚目のディスク"},
    {FindingId::SummaryClean, "問題は見つかりませんでした。"},
    {FindingId::SummaryWarnings, "エラーはありません。警告 %1 件。"},
    {FindingId::SummaryErrors, "エラー %1 件、警告 %2 件。"},
    {FindingId::SummaryCounts, "項目 %1 件、ディスク %2 枚。"},
    {FindingId::SummaryEditions, "更新できる版: %1"},
    {FindingId::SummaryNoStart, "START の項目はありません（どの版にも同じ内容）。"},
    {FindingId::EditionListNone, "なし"},
    {FindingId::EditionItem, "%1（%2）"},
    {FindingId::ListSeparator, "、"},
    {FindingId::Usage,
     "使い方: parvel-check ディスク1 [ディスク2 ...] [--install インストール先]\n"
     "  ディスク: 媒体の各ディスクの最上位フォルダー（フォルダーの媒体は一つ）\n"
     "  --install: そのインストールに更新が何をするかを、何も書かずに示します\n"},
};

const char* Pattern(FindingId id)
{
    for (const auto& [key, text] : kTexts) {
        if (key == id)
            return text;
    }
    return "";
}

} // namespace

std::string FormatText(FindingId id, const std::vector<std::string>& args)
{
    // '%' is never a trail byte of CP932, so a byte-wise scan is safe.
    std::string_view pattern = Pattern(id);
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        size_t index = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : args.size();
        if (pattern[i] == '%' && index < 9) {
            if (index < args.size())
                out += args[index];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string FindingText(const Finding& finding) { return FormatText(finding.id, finding.args); }

std::string SeverityLabel(Severity severity)
{
    return FormatText(severity == Severity::Error ? FindingId::LabelError : FindingId::LabelWarning);
}
