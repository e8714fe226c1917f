// The preview of the good medium against its installation, and a few installations it meets in the field.

#include "CheckCommand.h"
#include "CheckTestSupport.h"
#include "MediaCheck.h"
#include "PosixInstallation.h"
#include "PosixMedia.h"
#include "Preview.h"
#include "Utf8.h"

#include <functional>

namespace {

using namespace checktest;

class PreviewTest : public MediumTest {
public:
    // The preview's lines in UTF-8, one text; disks as given (both by default).
    std::string Preview(std::vector<std::string> roots = {}) const
    {
        PosixMedia media(roots.empty() ? Roots() : roots);
        MediumReport report = CheckMedium(media);
        PosixInstallation installation(Utf8ToCp932("C:\\見積"), Install().string());
        std::string text;
        for (const std::string& line :
             RunPreview(report.description, Utf8ToCp932("C:\\見積"), media, installation).Lines())
            text += Cp932ToUtf8(line) + "\n";
        return text;
    }
};

TEST_F(PreviewTest, NamesWhatTheUpdateWouldDoAndWritesNothing)
{
    std::string before = TreeFingerprint(m_copy.Path());
    std::string out;
    EXPECT_EQ(RunProgram("--install '" + Install().string() + "'", out), 0);
    EXPECT_EQ(TreeFingerprint(m_copy.Path()), before);
    // The topics in this order, each line of a topic after every line of the topic before.
    const std::vector<std::vector<const char*>> topics = {
        {"設定ファイル: C:\\見積\\tavilo1.ini、版 1（キーワード「電気」）\n"},
        {"START 書庫: START1.lzh（1 枚目のディスク）\n"},
        {"追加: C:\\見積\\START1.txt（START1.lzh（1 枚目のディスク） から）\n",
         "置き換え: C:\\見積\\PROG\\app.txt（APP.lzh（1 枚目のディスク） から）\n",
         "追加: C:\\見積\\PROG\\readme.txt（APP.lzh（1 枚目のディスク） から）\n",
         "追加: C:\\見積\\説明.TXT（説明.TXT（1 枚目のディスク） から）\n", "フォルダー作成: C:\\見積\\HELP\\\n",
         "追加: C:\\見積\\HELP\\HELP.txt（HELP.lzh（2 枚目のディスク） から）\n",
         "追加: C:\\見積\\DATA\\CONFIG.INI（CONFIG.INI（2 枚目のディスク） から）\n",
         "置き換え: C:\\見積\\形式\\横A-A4g.xlsm（EXCEL.lzh（2 枚目のディスク） から）\n"},
        {"ひな形: C:\\見積\\形式\\横A-A4g.xlsm は 2021-01-04 に書かれた古いものなので、EXCEL.lzh（2 枚目のディスク） で置き換えます。\n"},
        {"設定: C:\\見積\\tavilo1.ini [SYSTEM] TITLE: 「見積システム 電気 8.0S」 → 「見積システム 電気 9.1S」\n",
         "設定: C:\\見積\\tavilo1.ini [SYSTEM] Version: （なし） → 「9.1S」\n",
         "設定: C:\\見積\\mok3.ini [HISTORY] 抽出開始日ON: 「0」 → 「1」\n",
         "設定: C:\\見積\\mok3.ini [HISTORY] 抽出終了日ON: （なし） → 「1」\n"},
        {"材料サイズ変換: C:\\見積\\MASTER\\1\\zai001-3.mst の記録 1 件が変わります。\n",
         "材料タイプ変換: C:\\見積\\MASTER\\1\\zai001-3.mst の記録 1 件が変わります。\n"},
        {"メッセージ（確認）: 2 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。\n"},
        {"メッセージ（確認）: システムは正常に更新されました。\n"}};
    size_t after = 0;
    for (const auto& topic : topics) {
        size_t last = after;
        for (const char* expected : topic) {
            size_t at = out.find(expected, after);
            EXPECT_NE(at, std::string::npos) << expected << "\n" << out;
            last = std::max(last, at == std::string::npos ? after : at);
        }
        after = last;
    }
}

struct Case {
    const char* name;
    std::function<void(PreviewTest&)> change;
    std::vector<std::string> expected;
};

TEST_F(PreviewTest, FollowsTheRunThroughWhatItMeets)
{
    const Case cases[] = {
        {"no settings file", [](PreviewTest& t) { fs::remove(t.Install() / "tavilo1.ini"); },
         {"インストール先を確かめられないため", "メッセージ（エラー）: ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞが正しくないと思われます。"}},
        {"no edition keyword in the title: the first empty keyword (3) takes it",
         [](PreviewTest& t) {
             WriteCp932Lines(t.Install() / "tavilo1.ini", {"[SYSTEM]", "TITLE=見積システム 建築 8.0S"});
         },
         {"設定ファイル: C:\\見積\\tavilo1.ini、版 3（空のキーワード: どの題名にも合います）",
          "メッセージ（確認）: 書庫 START3.lzh が 1 枚目のディスクにありません。"}},
        {"a template newer than the update's", [](PreviewTest& t) { WriteText(t.Install() / "形式" / "横A-A4g.xlsm", "mine"); },
         {"に書かれたものなので残ります（EXCEL.lzh（2 枚目のディスク） は展開されません）。"}},
        {"a master the update brings is converted too", [](PreviewTest& t) {
             fs::path content = t.m_copy.Path() / "master";
             fs::create_directories(content);
             WriteText(content / "zai900-3.mst", "400400000111XB" + std::string(172, 'm') + "\r\n");
             std::string command = "cd '" + content.string() + "' && jlha co5q '" +
                                   (t.Disk(1) / "APP.lzh").string() + "' zai900-3.mst >/dev/null 2>&1";
             ASSERT_EQ(std::system(command.c_str()), 0);
             t.SetInfoLine(44, "1,1,APP,\\MASTER\\1\\");
         },
         {"追加: C:\\見積\\MASTER\\1\\zai900-3.mst（APP.lzh（1 枚目のディスク） から）",
          "材料サイズ変換: C:\\見積\\MASTER\\1\\zai900-3.mst の記録 1 件が変わります。",
          "材料タイプ変換: C:\\見積\\MASTER\\1\\zai900-3.mst の記録 1 件が変わります。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.change(*this);
        std::string before = TreeFingerprint(Install());
        std::string out = Preview();
        EXPECT_EQ(TreeFingerprint(Install()), before);
        for (const std::string& expected : c.expected)
            EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
    }
}

// A copy of an installation whose settings name folders outside it: the preview names what it could not
// read and says so by its exit status, until --as tells where the copy lived on Windows.
TEST_F(PreviewTest, WhatLiesOutsideTheCopyIsNamedNeverTakenAsNone)
{
    struct Run {
        const char* master; // the [DIR] MASTER key of the installation
        const char* as;     // --as, or ""
        int status;
        std::vector<std::string> expected, absent;
    };
    const Run runs[] = {
        {"D:\\マスタ\\", "", 3,
         {"材料サイズ変換: マスタのフォルダー D:\\マスタ\\1\\ はインストール先の外にあり、読めませんでした。",
          "材料タイプ変換: マスタのフォルダー D:\\マスタ\\21\\ はインストール先の外にあり、読めませんでした。"},
         {"変換するマスタはありません"}},
        // Installed elsewhere than the default folder of info.txt, which the copy stands for without --as.
        {"C:\\積算\\電気\\MASTER\\", "", 3, {"マスタのフォルダー C:\\積算\\電気\\MASTER\\1\\ は"},
         {"変換するマスタはありません"}},
        {"C:\\積算\\電気\\MASTER\\", "--as 'c:\\積算\\電気'", 0,
         {"== 更新の下見: インストール先 c:\\積算\\電気 ==",
          "材料サイズ変換: C:\\積算\\電気\\MASTER\\1\\zai001-3.mst の記録 1 件が変わります。"},
         {"読めませんでした", "読めなかったもの"}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(std::string(run.master) + " " + run.as);
        WriteCp932Lines(Install() / "tavilo1.ini",
                        {"[SYSTEM]", "TITLE=見積システム 電気 8.0S", "[DIR]", std::string("MASTER=") + run.master});
        std::string out;
        EXPECT_EQ(RunProgram("--install '" + Install().string() + "' " + run.as, out), run.status);
        for (const std::string& expected : run.expected)
            EXPECT_NE(out.find(expected), std::string::npos) << expected << "\n" << out;
        for (const std::string& absent : run.absent)
            EXPECT_EQ(out.find(absent), std::string::npos) << absent << "\n" << out;
    }
}

TEST(CheckArguments, AsNeedsAnInstallationAndAWindowsFolder)
{
    CheckArguments arguments;
    EXPECT_TRUE(ParseCheckArguments({"m", "--install", "/srv/c", "--as=C:\\APP"}, arguments));
    EXPECT_EQ(arguments.windowsFolder, "C:\\APP");
    EXPECT_TRUE(ParseCheckArguments({"m", "--as", "\\\\srv\\share\\APP", "--install=/srv/c"}, arguments));
    for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
             {"m", "--as", "C:\\APP"}, {"m", "--install", "/srv/c", "--as", "/srv/c"},
             {"m", "--install", "/srv/c", "--as"}, {"m", "--install", "/srv/c", "--as", "C:\\A", "--as", "C:\\B"},
             {"m", "--install", "/srv/c", "--as=C:"}})
        EXPECT_FALSE(ParseCheckArguments(words, arguments)) << words.back();
}

// An entry on a disk not given: the prompt for it finds no further disk, as when the user cancels.
TEST_F(PreviewTest, APromptWithoutANextDiskCancels)
{
    SetInfoLine(49, "3,1,MORE,\\");
    std::string out = Preview();
    EXPECT_NE(out.find("メッセージ（確認）: 3 枚目のｱｯﾌﾟﾃﾞｲﾄFDをｾｯﾄしてください。\n"
                       "メッセージ（確認）: ｱｯﾌﾟﾃﾞｲﾄを取消しました。"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("GENGOU"), std::string::npos) << out;
}

}
