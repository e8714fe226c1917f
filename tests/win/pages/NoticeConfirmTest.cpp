#include "PageSizes.h"
#include "PageLook.h"
#include "PageSession.h"
#include "UiDriver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const char kMasterCaption[] = "マスタ調整機能付";
const char kUpdateCaption[] = "アップデート";

enum class Action { Enter, Escape, ClickOk, ClickCancel };

void Perform(PageSession& page, Action action)
{
    switch (action) {
    case Action::Enter:
        ui::PressEnter(page.Dialog());
        break;
    case Action::Escape:
        ui::PressEscape(page.Dialog());
        break;
    case Action::ClickOk:
        ui::Click(page.Item(IDOK));
        break;
    case Action::ClickCancel:
        ui::Click(page.Item(IDCANCEL));
        break;
    }
}

// Types into the edit as the keyboard would, at its start: a letter and Delete. The keys are posted and the
// page handles them in order, so the selection posted after them shows once every key is through.
void TypeKeys(HWND edit)
{
    DWORD_PTR selection = 0;
    SendMessageTimeoutA(edit, EM_SETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    PostMessageA(edit, WM_CHAR, 'x', 1);
    PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
    PostMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_TRUE(ui::WaitUntil([&] {
        return SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection) && HIWORD(selection) > 0;
    })) << "the keys were not handled";
}

TEST(NoticePage, ShowsTheTemplateAndTheNotes)
{
    PageSession page({"page=notice", "master=1", "text=一行目\\n二行目"});
    HWND dialog = page.Dialog();
    ASSERT_TRUE(dialog);
    ExpectDialogLook(dialog, kMasterCaption, kNoticePageSize.cx, kNoticePageSize.cy);
    LONG readOnlyEdit = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL | WS_TABSTOP;
    ExpectControls(dialog, {
        {IDOK, "Button", "開始", {158, 108, 50, 14}, 0xF, BS_DEFPUSHBUTTON, WS_TABSTOP | WS_VISIBLE, WS_DISABLED},
        {IDCANCEL, "Button", "取消", {7, 108, 50, 14}, 0xF, BS_PUSHBUTTON, WS_TABSTOP, WS_DISABLED},
        {IDC_TEXT, "Edit", "一行目\r\n二行目", {7, 36, 201, 64}, 0, 0, readOnlyEdit, 0},
        {-1, "Static", "ｲﾝｽﾄｰﾙを開始します。\n下記の注意項目を確認して下さい。", {50, 10, 121, 19}, SS_TYPEMASK,
         SS_LEFT, WS_GROUP, WS_TABSTOP},
        {IDC_PICTURE, "Static", "", {12, 7, 20, 20}, SS_TYPEMASK, SS_BLACKFRAME, 0, 0},
    });
    EXPECT_EQ(ui::FocusOf(dialog), page.Item(IDOK));
    TypeKeys(page.Item(IDC_TEXT));
    EXPECT_EQ(ui::Text(page.Item(IDC_TEXT)), "一行目\r\n二行目") << "typing into the notes changes nothing";
    ui::PressEscape(dialog);
    EXPECT_EQ(page.Finish().result, IDCANCEL);
}

TEST(NoticePage, CaptionFollowsMasterAdjustAndButtonsGiveTheirResults)
{
    struct Case {
        const char* master;
        const char* caption;
        Action action;
        int result;
    };
    const Case cases[] = {
        {"1", kMasterCaption, Action::Enter, IDOK},         {"0", kUpdateCaption, Action::Escape, IDCANCEL},
        {"", kUpdateCaption, Action::ClickOk, IDOK},        {"x1", kUpdateCaption, Action::ClickCancel, IDCANCEL},
        {"-1", kMasterCaption, Action::Escape, IDCANCEL},   {" 2", kMasterCaption, Action::Enter, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("master '") + c.master + "'");
        PageSession page({"page=notice", std::string("master=") + c.master});
        ASSERT_TRUE(page.Dialog());
        EXPECT_EQ(ui::Text(page.Dialog()), c.caption);
        Perform(page, c.action);
        EXPECT_EQ(page.Finish().result, c.result);
    }
}

TEST(NoticePage, LongNotesScrollAndStayReadOnly)
{
    std::string text;
    for (int i = 1; i <= 30; ++i)
        text += "注意 " + std::to_string(i) + (i < 30 ? "\\n" : "");
    PageSession page({"page=notice", "master=0", "text=" + text});
    ASSERT_TRUE(page.Dialog());
    HWND edit = page.Item(IDC_TEXT);
    std::string shown = ui::Text(edit);
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 30);
    SendMessageA(edit, EM_SCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "more lines than fit: the field scrolls";
    TypeKeys(edit);
    EXPECT_EQ(ui::Text(edit), shown);
    // The same keys do change a field that takes input: the check above can see typing.
    SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
    TypeKeys(edit);
    EXPECT_NE(ui::Text(edit), shown);
    ui::Click(page.Item(IDCANCEL));
    EXPECT_EQ(page.Finish().result, IDCANCEL);
}

TEST(ConfirmPage, ShowsTheFolderAndTheTemplate)
{
    PageSession page({"page=confirm", "folder=C:\\形式\\APP"});
    HWND dialog = page.Dialog();
    ASSERT_TRUE(dialog);
    ExpectDialogLook(dialog, kUpdateCaption, kConfirmPageSize.cx, kConfirmPageSize.cy);
    ExpectControls(dialog, {
        {IDOK, "Button", "更新", {140, 48, 50, 14}, 0xF, BS_DEFPUSHBUTTON, WS_TABSTOP | WS_VISIBLE, WS_DISABLED},
        {IDCANCEL, "Button", "戻る", {47, 48, 50, 14}, 0xF, BS_PUSHBUTTON, WS_TABSTOP, WS_DISABLED},
        {-1, "Static", "更新先：", {7, 32, 25, 8}, SS_TYPEMASK, SS_LEFT, WS_GROUP, 0},
        {IDC_TEXT, "Static", "C:\\形式\\APP", {37, 30, 192, 11}, SS_TYPEMASK, SS_LEFT,
         SS_CENTERIMAGE | SS_SUNKEN | WS_GROUP, 0},
        {IDC_PICTURE, "Static", "", {13, 3, 20, 20}, SS_TYPEMASK, SS_BLACKFRAME, 0, 0},
    });
    EXPECT_EQ(ui::FocusOf(dialog), page.Item(IDOK));
    ui::PressEnter(dialog);
    EXPECT_EQ(page.Finish().result, IDOK);
}

TEST(ConfirmPage, ButtonsAndKeysGiveTheirResults)
{
    const std::pair<Action, int> cases[] = {
        {Action::Escape, IDCANCEL}, {Action::ClickCancel, IDCANCEL}, {Action::ClickOk, IDOK}};
    for (const auto& [action, result] : cases) {
        SCOPED_TRACE(static_cast<int>(action));
        PageSession page({"page=confirm", "folder="});
        ASSERT_TRUE(page.Dialog());
        EXPECT_EQ(ui::Text(page.Item(IDC_TEXT)), "");
        Perform(page, action);
        EXPECT_EQ(page.Finish().result, result);
    }
}

} // namespace
