// The checker's texts. Written here in UTF-8 and compiled to CP932 (-fexec-charset), the product's code page.
#include "Findings.h"

#include "FillMessage.h"

#include <utility>

namespace {

constexpr std::pair<TextId, const char*> kTexts[] = {
    {TextId::InfoMissing, "info.txt がありません。"},
    {TextId::BrokenEntryLine,
     "カンマがありますが、項目行（ディスク,種類,名前,展開先）として読めません。ウィザードはこの行を飛ばします。"},
    {TextId::DiskNotGiven, "%1 枚目のディスクが指定されていません（%2）。"},
    {TextId::ArchiveMissing, "書庫 %1 が%2にありません。"},
    {TextId::LooseFileMissing, "ファイル %1 が%2にありません。"},
    {TextId::PictureMissing, "絵のファイル %1 が%2にありません。"},
    {TextId::PictureUnpaintable, "ビットマップとして読めないため、この絵は描かれません。"},
    {TextId::ArchiveUnreadable, "書庫を読み込めません。"},
    {TextId::ArchiveNotLzh, "LZH 形式の書庫ではありません。"},
    {TextId::ArchiveBrokenHeader, "書庫のヘッダーが壊れています。"},
    {TextId::ArchiveMethod, "%1 は対応していない圧縮方式 %2 です。"},
    {TextId::ArchiveUnsafeName, "安全でないファイル名 %1 があるため、展開されません。"},
    {TextId::ArchiveOutsideName,
     "ファイル名 %1 は書庫の外（..、ルート、ドライブ）を指しています。ウィザードは最後の名前だけを使いますが、フォルダーごと展開する道具では展開先の外に書かれます。書庫を作り直してください。"},
    {TextId::ArchiveTruncated, "書庫が途中で切れています。"},
    {TextId::ArchiveBrokenData, "%1 のデータが壊れています。"},
    {TextId::ArchiveCrc, "%1 は CRC が合いません。"},
    {TextId::ArchiveEmpty, "書庫にファイルが一つも入っていません。"},
    {TextId::SignatureTampered,
     "署名が中身と合いません%1。署名のあとで書き換えられたか、壊れています。配られた Parvel.exe をもう一度コピーしてください。"},
    {TextId::SignerNamed, "（署名者: %1）"},
    {TextId::SignatureMissing, "署名がありません。配った者の Parvel.exe かどうかを確かめられません。"},
    {TextId::SignatureUntrusted,
     "%1 の署名は中身と合っていますが、その証明書はこのコンピューターでは信頼されていません。"},
    {TextId::SignatureNoVerifier,
     "署名を確かめられません。Windows の WinVerifyTrust も osslsigncode も見つかりませんでした。"},
    {TextId::ChecksumListMalformed, "SHA256SUMS の行が sha256sum の形式になっていません。このディスクのファイルは確かめられません。"},
    {TextId::ChecksumMismatch,
     "SHA-256 が SHA256SUMS と合いません。ファイルが壊れているか、書き換えられています。媒体をもう一度コピーしてください。"},
    {TextId::ChecksumNotListed,
     "SHA256SUMS にありません。更新はこのファイルを読まずに止まります。媒体をもう一度作ってください。"},
    {TextId::ChecksumListMissing,
     "SHA256SUMS がありません。ファイルが壊れていないかを、更新も parvel-check も確かめられません。"},
    {TextId::SummarySigned, "Parvel.exe の署名: %1（%2 で確かめました）"},
    {TextId::SkippedLine, "カンマのない行は項目として読まれず、飛ばされます。"},
    {TextId::EditionArchiveMissing,
     "版 %1（%2）の START%1.lzh が%3にありません。この版のインストールは更新できません。"},
    {TextId::EditionKeyword, "キーワード「%1」"},
    {TextId::EditionMakerOne, "MAKER が 1"},
    {TextId::EditionMakerOther, "MAKER が 1 以外"},
    {TextId::PromptNeverEnds,
     "%1 枚目のディスクを求めるとき、ウィザードは %2 を探しますが、そのディスクにありません。求めが終わりません。"},
    {TextId::TextTrailingTab, "最後のバイトが TAB です。改行にならず、そのまま表示されます。"},
    {TextId::TextTooManyTabs, "TAB が %1 個あります。改行になるのは最初の 100 個だけです。"},
    {TextId::NotANumber, "「%1」は数として読めないため、%2 と見なされます。"},
    {TextId::MasterAdjustNoEffect,
     "値 %1 ではマスタ変換は行われません（1 のときだけ）。通知ページの題は「マスタ調整機能付」になります。"},
    {TextId::CategoryNoEffect, "分類 %1 は 1 から 4 のどれでもないため、種別のキーは書かれません。"},
    {TextId::SettingsFileEmpty, "設定ファイル名が空です。インストール先のフォルダーそのものが設定ファイルと見なされます。"},
    {TextId::SettingsFileNotNull,
     "「%1」は NULL ではありません（大文字と小文字を区別します）。tavilo1.ini と pemiraz1.ini は探されず、%1 という名前のファイルが探されます。"},
    {TextId::LabelError, "エラー"},
    {TextId::LabelWarning, "警告"},
    {TextId::WhereMedium, "媒体"},
    {TextId::WhereDisk, " %1 枚目のディスク"},
    {TextId::SummaryClean, "問題は見つかりませんでした。"},
    {TextId::SummaryWarnings, "エラーはありません。警告 %1 件。"},
    {TextId::SummaryErrors, "エラー %1 件、警告 %2 件。"},
    {TextId::SummaryCounts, "項目 %1 件、ディスク %2 枚。"},
    {TextId::SummaryEditions, "更新できる版: %1"},
    {TextId::SummaryNoStart, "START の項目はありません（どの版にも同じ内容）。"},
    {TextId::EditionListNone, "なし"},
    {TextId::EditionItem, "%1（%2）"},
    {TextId::ListSeparator, "、"},
    {TextId::Usage,
     "使い方: parvel-check ディスク1 [ディスク2 ...] [--install インストール先 [--as \"C:\\...\"]]\n"
     "  ディスク: 媒体の各ディスクの最上位フォルダー（フォルダーの媒体は一つ）\n"
     "  --install: そのインストールに更新が何をするかを、何も書かずに示します\n"
     "  --as: Linux で、インストール先のコピーが Windows で置かれていた場所（既定: info.txt の 16 行目）\n"},
    {TextId::PreviewHeading, "== 更新の下見: インストール先 %1 =="},
    {TextId::PreviewOnDisk, "%1（%2 枚目のディスク）"},
    {TextId::PreviewFolder, "フォルダー作成: %1"},
    {TextId::PreviewAdded, "追加: %1（%2 から）"},
    {TextId::PreviewReplaced, "置き換え: %1（%2 から）"},
    {TextId::PreviewKey, "設定: %1 [%2] %3: %4 → %5"},
    {TextId::PreviewKeyAbsent, "（なし）"},
    {TextId::PreviewValue, "「%1」"},
    {TextId::PreviewSettingsFile, "設定ファイル: %1、版 %2%3"},
    {TextId::PreviewKeyword, "（キーワード「%1」）"},
    {TextId::PreviewEmptyKeyword, "（空のキーワード: どの題名にも合います）"},
    {TextId::PreviewNotIdentified, "インストール先を確かめられないため、何も書かずに止まります（最後に調べた設定ファイル: %1）。"},
    {TextId::PreviewBrokenLine, "info.txt の %1 行目が正しくないため、何も書かずに止まります。"},
    {TextId::PreviewStart, "START 書庫: %1"},
    {TextId::PreviewTemplateKept, "ひな形: %1 は %2 に書かれたものなので残ります（%3 は展開されません）。"},
    {TextId::PreviewTemplateKeptUndated, "ひな形: %1 は日付を読めないため残ります（%3 は展開されません）。"},
    {TextId::PreviewTemplateOld, "ひな形: %1 は %2 に書かれた古いものなので、%3 で置き換えます。"},
    {TextId::PreviewTemplateMissing, "ひな形: %1 がない（または開けない）ため、%3 を展開します。"},
    {TextId::PreviewSizeConversion, "材料サイズ変換"},
    {TextId::PreviewTypeConversion, "材料タイプ変換"},
    {TextId::PreviewMaster, "%1: %2 の記録 %3 件が変わります。"},
    {TextId::PreviewNoMasters, "%1: 変換するマスタはありません。"},
    {TextId::PreviewMastersUnseen, "%1: マスタのフォルダー %2 はインストール先の外にあり、読めませんでした。そこにあるマスタも変換されます。"},
    {TextId::PreviewUnseen, "読めなかったもの: %1 はインストール先の外にあるため、更新が何をするかを示せません（--as でコピーの Windows での場所を指定してください）。"},
    {TextId::PreviewMessage, "メッセージ（%1）: %2"},
    {TextId::PreviewNothingWritten, "下見のあいだ、インストール先には何も書き込んでいません。"},
};

const char* Pattern(TextId id)
{
    for (const auto& [key, text] : kTexts) {
        if (key == id)
            return text;
    }
    return "";
}

} // namespace

std::string FormatText(TextId id, const std::vector<std::string>& args)
{
    auto arg = [&](size_t i) { return i < args.size() ? std::string_view(args[i]) : std::string_view(); };
    return FillMessage(Pattern(id), {arg(0), arg(1), arg(2), arg(3), arg(4)});
}

std::string FindingText(const Finding& finding) { return FormatText(finding.id, finding.args); }

std::string SeverityLabel(Severity severity)
{
    return FormatText(severity == Severity::Error ? TextId::LabelError : TextId::LabelWarning);
}
