#include "PageSizes.h"
#include "PageLook.h"
#include "PageSession.h"
#include "UiDriver.h"
#include "UninstallKey.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <direct.h>

#include <algorithm>
#include <optional>

namespace {

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; });
    return s;
}

std::vector<std::string> Sorted(std::vector<std::string> items)
{
    std::sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    return items;
}

char CurrentDriveLetter()
{
    return static_cast<char>('A' + _getdrive() - 1);
}

// Selects the item by its text and returns once the page has handled it.
void Choose(PageSession& page, int listId, const std::string& item, bool byMouse = false)
{
    HWND list = page.Item(listId);
    int index = ui::FindListItem(list, item);
    ASSERT_GE(index, 0) << item;
    if (!byMouse) {
        ui::SelectListItem(list, index);
        return;
    }
    std::string before = ui::Text(page.Item(IDC_FOLDER_EDIT));
    ui::MouseClickListItem(list, index);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::Text(page.Item(IDC_FOLDER_EDIT)) != before; }, 3000));
    ui::Sync(page.Dialog());
}

TEST(FolderPage, ShowsTheTemplateAndTheDrives)
{
    PageSession page({"page=folder", "folder=C:\\DEFAULT", "text=説明\\n二行目", "key1="});
    HWND dialog = page.Dialog();
    ASSERT_TRUE(dialog);
    ExpectDialogLook(dialog, "アップデート", kFolderPageSize.cx, kFolderPageSize.cy);
    LONG list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL | WS_VSCROLL | WS_TABSTOP;
    ExpectControls(dialog, {
        {IDOK, "Button", "次へ", {162, 153, 50, 14}, 0xF, BS_DEFPUSHBUTTON, WS_TABSTOP | WS_VISIBLE, WS_DISABLED},
        {IDC_DRIVE_LIST, "ListBox", "", {7, 61, 38, 80}, 0, 0, list, LBS_SORT},
        {-1, "Static", "ｲﾝｽﾄｰﾙ先\n      ﾄﾞﾗｲﾌﾞ", {7, 41, 38, 17}, SS_TYPEMASK, SS_LEFT, SS_SUNKEN | WS_GROUP, 0},
        {-1, "Static", "ｲﾝｽﾄｰﾙ先ﾌｫﾙﾀﾞ", {52, 41, 168, 17}, SS_TYPEMASK, SS_CENTER,
         SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP, 0},
        {IDC_FOLDER_LIST, "ListBox", "", {52, 77, 168, 64}, 0, 0, list | LBS_SORT, 0},
        {IDC_REVERT, "Button", "更新前に戻す", {106, 157, 102, 10}, 0xF, BS_AUTOCHECKBOX, WS_DISABLED | WS_TABSTOP,
         WS_VISIBLE},
        {IDC_FOLDER_EDIT, "Edit", "C:\\DEFAULT", {52, 61, 168, 14}, 0, 0, ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE},
        {IDC_BACK, "Button", "戻る", {16, 153, 50, 14}, 0xF, BS_PUSHBUTTON, WS_TABSTOP, WS_DISABLED},
        {IDC_TEXT, "Edit", "説明\r\n二行目", {52, 7, 168, 31}, 0, 0,
         ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_TABSTOP, 0},
        {IDC_PICTURE, "Static", "", {12, 11, 20, 20}, SS_TYPEMASK, SS_BLACKFRAME, 0, 0},
    });
    EXPECT_EQ(ui::FocusOf(dialog), page.Item(IDOK));
    std::vector<std::string> drives = ui::ListItems(page.Item(IDC_DRIVE_LIST));
    EXPECT_NE(std::find(drives.begin(), drives.end(), "[-p-]"), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "[-c-]"), drives.end());
    EXPECT_TRUE(std::is_sorted(drives.begin(), drives.end()));
    EXPECT_EQ(ui::ListSelection(page.Item(IDC_DRIVE_LIST)), -1);
    EXPECT_TRUE(ui::ListItems(page.Item(IDC_FOLDER_LIST)).empty());
    ui::PressEscape(dialog);
    PageOutcome outcome = page.Finish();
    EXPECT_EQ(outcome.result, IDCANCEL);
    EXPECT_EQ(outcome.folder, "C:\\DEFAULT");
}

TEST(FolderPage, PrefillsFromTheFirstUninstallKeyThatOpens)
{
    const std::string present = "ParvelPgPresent", bare = "ParvelPgBare", absent = "ParvelPgAbsent";
    const std::string other = "ParvelPgOther", wide = "ParvelPg64Only";
    std::string longFolder = "E:";
    for (int i = 0; i < 30; ++i)
        longFolder += "\\長いフォルダ" + std::to_string(i);
    CUninstallKey presentKey(present, "UNINST.EXE -fD:\\APP\\SUB\\U.LOG -y");
    CUninstallKey bareKey(bare, std::nullopt);
    CUninstallKey otherKey(other, "UNINST.EXE -FD:\\APP\\U.LOG");
    CUninstallKey longKey("ParvelPgLong", "UNINST.EXE -f" + longFolder + "\\U.LOG");
    CUninstallKey wideKey(wide, "UNINST.EXE -fW:\\WIDE\\U.LOG", KEY_WOW64_64KEY);
    struct Case {
        std::string name;
        std::vector<std::string> keys;
        std::string shown;
    };
    const Case cases[] = {
        {"key 1 absent, key 2 present", {absent, present}, "D:\\APP\\SUB"},
        {"key 1 without the value: key 2 not tried", {bare, present}, "C:\\DEFAULT"},
        {"no key names", {"", present}, "C:\\DEFAULT"},
        {"upper-case -F only", {other}, "C:\\DEFAULT"},
        {"a folder longer than any fixed buffer", {"ParvelPgLong"}, longFolder},
        {"a key only in the 64-bit view", {wide}, "C:\\DEFAULT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args{"page=folder", "folder=C:\\DEFAULT"};
        for (size_t i = 0; i < c.keys.size(); ++i)
            args.push_back("key" + std::to_string(i + 1) + "=" + c.keys[i]);
        PageSession page(args);
        ASSERT_TRUE(page.Dialog());
        EXPECT_EQ(ui::Text(page.Item(IDC_FOLDER_EDIT)), c.shown);
        ui::Click(page.Item(IDOK));
        EXPECT_EQ(page.Finish().folder, c.shown);
    }
}

TEST(FolderPage, BrowsesDrivesAndFoldersAndRestoresTheDrive)
{
    char startDrive = CurrentDriveLetter();
    PageSession page({"page=folder", "folder=C:\\DEFAULT"});
    ASSERT_TRUE(page.Dialog());
    HWND edit = page.Item(IDC_FOLDER_EDIT);
    HWND folders = page.Item(IDC_FOLDER_LIST);

    Choose(page, IDC_DRIVE_LIST, "[-p-]");
    EXPECT_EQ(ui::Text(edit), "p:\\");
    std::vector<std::string> root{"[..]", "[.hidden]", "[alpha]", "[Beta]", "[many]", "[形式]"};
    EXPECT_EQ(Sorted(ui::ListItems(folders)), Sorted(root)) << "folders only, hidden ones included";

    Choose(page, IDC_FOLDER_LIST, "[alpha]", true);
    EXPECT_EQ(Lower(ui::Text(edit)), "p:\\alpha");
    EXPECT_EQ(ui::ListItems(folders), (std::vector<std::string>{"[..]", "[inner]"}));

    Choose(page, IDC_FOLDER_LIST, "[..]");
    EXPECT_EQ(Lower(ui::Text(edit)), "p:\\");
    Choose(page, IDC_FOLDER_LIST, "[..]");
    EXPECT_EQ(Lower(ui::Text(edit)), "p:\\") << ".. at the root stays at the root";
    EXPECT_EQ(Sorted(ui::ListItems(folders)), Sorted(root));

    Choose(page, IDC_FOLDER_LIST, "[形式]");
    EXPECT_EQ(Lower(ui::Text(edit)), "p:\\形式");
    EXPECT_EQ(ui::ListItems(folders), (std::vector<std::string>{"[..]", "[サブ]"}));
    std::string chosen = ui::Text(edit);

    ui::Click(page.Item(IDOK));
    PageOutcome outcome = page.Finish();
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.folder, chosen);
    EXPECT_EQ(outcome.drive, startDrive) << "the drive current at the start is current again";
    EXPECT_EQ(Lower(outcome.cwd), Lower(std::string(1, startDrive) + ":\\")) << "at the root it moved to on opening";
}

TEST(FolderPage, EnterTakesTheTypedFolder)
{
    PageSession page({"page=folder", "folder=C:\\DEFAULT"});
    ASSERT_TRUE(page.Dialog());
    ui::TypeText(page.Item(IDC_FOLDER_EDIT), "Q:\\入力\\APP");
    ui::PressEnter(page.Dialog());
    PageOutcome outcome = page.Finish();
    EXPECT_EQ(outcome.result, IDOK);
    EXPECT_EQ(outcome.folder, "Q:\\入力\\APP");
}

TEST(FolderPage, BackAndEscapeKeepTheFolderAndRestoreTheDrive)
{
    char startDrive = CurrentDriveLetter();
    for (bool back : {true, false}) {
        SCOPED_TRACE(back ? "back" : "escape");
        PageSession page({"page=folder", "folder=C:\\DEFAULT"});
        ASSERT_TRUE(page.Dialog());
        Choose(page, IDC_DRIVE_LIST, "[-p-]");
        Choose(page, IDC_FOLDER_LIST, "[alpha]");
        if (back)
            ui::Click(page.Item(IDC_BACK));
        else
            ui::PressEscape(page.Dialog());
        PageOutcome outcome = page.Finish();
        EXPECT_EQ(outcome.result, back ? IDC_BACK : IDCANCEL);
        EXPECT_EQ(outcome.folder, "C:\\DEFAULT");
        EXPECT_EQ(outcome.drive, startDrive);
        EXPECT_EQ(Lower(outcome.cwd), Lower(std::string(1, startDrive) + ":\\"));
    }
}

// The start drive is current again, at its root (where the page moved on opening) or at the folder last
// entered on it; started from a network folder (no drive), every way out returns to the root of its share.
TEST(FolderPage, LeavesTheProcessWhereItStarted)
{
    const std::string share = "\\\\parvel\\media";
    struct Case {
        std::string startIn;
        bool browse; // to P:\alpha
        int exit;
        std::string after;
    };
    const Case cases[] = {
        {"P:\\alpha\\inner", false, IDCANCEL, "p:\\"},
        {"P:\\alpha\\inner", true, IDOK, "p:\\alpha"},
        {share + "\\disk1", true, IDOK, share},
        {share + "\\disk1", true, IDC_BACK, share},
        {share + "\\disk1", true, IDCANCEL, share},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.startIn + (c.browse ? ", browsed" : "") + ", exit " + std::to_string(c.exit));
        PageSession page({"page=folder", "folder=C:\\DEFAULT", "cwd=" + c.startIn});
        ASSERT_TRUE(page.Dialog());
        if (c.browse) {
            Choose(page, IDC_DRIVE_LIST, "[-p-]");
            Choose(page, IDC_FOLDER_LIST, "[alpha]");
        }
        if (c.exit == IDCANCEL)
            ui::PressEscape(page.Dialog());
        else
            ui::Click(page.Item(c.exit));
        PageOutcome outcome = page.Finish();
        EXPECT_EQ(outcome.result, c.exit);
        EXPECT_EQ(Lower(outcome.cwd), Lower(c.after));
    }
}

TEST(FolderPage, ListsMoreThan999Subfolders)
{
    PageSession page({"page=folder", "folder="});
    ASSERT_TRUE(page.Dialog());
    Choose(page, IDC_DRIVE_LIST, "[-p-]");
    Choose(page, IDC_FOLDER_LIST, "[many]");
    std::vector<std::string> items = ui::ListItems(page.Item(IDC_FOLDER_LIST));
    ASSERT_EQ(items.size(), 1006u);
    EXPECT_EQ(items.front(), "[..]");
    EXPECT_EQ(items.back(), "[d1004]");
    ui::PressEscape(page.Dialog());
    EXPECT_EQ(page.Finish().result, IDCANCEL);
}

} // namespace
