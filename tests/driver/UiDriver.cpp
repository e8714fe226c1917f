#include "UiDriver.h"

#include "ResourceString.h"

#include <vector>

namespace ui {

namespace {

constexpr UINT kSendTimeout = 5000;
// A command may scan a large folder first; a fresh Wine prefix on a slow machine takes seconds for it.
constexpr UINT kCommandTimeout = 60000;

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, UINT timeoutMs = kSendTimeout)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

LRESULT SendW(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeout, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

struct TopWindowSearch {
    DWORD processId;
    const std::string* caption;
    bool dialogOnly;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<TopWindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (!IsWindowVisible(hwnd) || (search->processId != 0 && pid != search->processId))
        return TRUE;
    if (search->dialogOnly && ClassName(hwnd) != "#32770")
        return TRUE;
    if (!search->caption->empty() && Text(hwnd) != *search->caption)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND FindTop(DWORD processId, const std::string& caption, bool dialogOnly)
{
    TopWindowSearch search{processId, &caption, dialogOnly, nullptr};
    EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

HWND FindTopWindow(DWORD processId, const std::string& caption)
{
    return FindTop(processId, caption, false);
}

HWND WaitForTopWindow(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTop(processId, caption, false)) != nullptr; }, timeoutMs);
    return found;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTop(processId, {}, true)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs)
{
    return WaitUntil([&] { return !IsWindow(hwnd); }, timeoutMs);
}

void Sync(HWND hwnd)
{
    Send(hwnd, WM_NULL);
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND Child(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

std::string Text(HWND hwnd)
{
    LRESULT length = Send(hwnd, WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    LRESULT copied = Send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

std::string ClassName(HWND hwnd)
{
    char name[256] = {};
    int length = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

LONG Style(HWND hwnd)
{
    return GetWindowLongA(hwnd, GWL_STYLE);
}

LONG ExStyle(HWND hwnd)
{
    return GetWindowLongA(hwnd, GWL_EXSTYLE);
}

HWND FocusOf(HWND hwnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void Click(HWND button)
{
    // Posted, so that a click that ends a modal loop does not block the driver.
    PostMessageA(button, BM_CLICK, 0, 0);
}

void MouseClick(HWND hwnd, POINT client)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    if (client.x < 0)
        client = POINT{rect.right / 2, rect.bottom / 2};
    ClientToScreen(hwnd, &client);
    SetForegroundWindow(GetAncestor(hwnd, GA_ROOT));
    SetCursorPos(client.x, client.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void PressKey(HWND dialog, WORD virtualKey)
{
    HWND target = FocusOf(dialog);
    if (!target)
        target = dialog;
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30));
}

void TypeText(HWND edit, const std::string& text)
{
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::string> ListItems(HWND list)
{
    // Wide texts: Wine hands a list box's texts to another process unconverted when asked in 8-bit form.
    std::vector<std::string> items;
    LRESULT count = Send(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i));
        std::vector<wchar_t> buffer(static_cast<size_t>(length > 0 ? length : 0) + 1);
        LRESULT copied = SendW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        items.push_back(WideToCp932(buffer.data(), copied > 0 ? static_cast<int>(copied) : 0));
    }
    return items;
}

int ListSelection(HWND list)
{
    return static_cast<int>(Send(list, LB_GETCURSEL));
}

int FindListItem(HWND list, const std::string& text)
{
    std::vector<std::string> items = ListItems(list);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text)
            return static_cast<int>(i);
    }
    return -1;
}

void SelectListItem(HWND list, int index)
{
    Send(list, LB_SETCURSEL, static_cast<WPARAM>(index));
    WPARAM command = MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE);
    Send(GetParent(list), WM_COMMAND, command, reinterpret_cast<LPARAM>(list), kCommandTimeout);
}

void MouseClickListItem(HWND list, int index)
{
    RECT item{};
    if (Send(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return;
    MouseClick(list, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

} // namespace ui
