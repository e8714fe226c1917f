#pragma once
// Drives Win32 windows as a user would, from a test, in the same process (another thread) or in another
// process. Texts are code page 932. Every wait has a timeout, so a test never hangs on a missing window.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

constexpr DWORD kDefaultTimeout = 10000;

// Polls cond until it holds or timeoutMs passes; whether it held.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = kDefaultTimeout);

// A visible top-level window of the process (0: any process) whose caption is caption (empty: any caption).
HWND FindTopWindow(DWORD processId, const std::string& caption = {});
HWND WaitForTopWindow(DWORD processId, const std::string& caption = {}, DWORD timeoutMs = kDefaultTimeout);
// A visible top-level dialog (class #32770) of the process.
HWND WaitForDialog(DWORD processId, DWORD timeoutMs = kDefaultTimeout);
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs = kDefaultTimeout);

// Returns once hwnd's thread has handled everything sent to it before.
void Sync(HWND hwnd);

// Direct children in template (tab) order.
std::vector<HWND> Children(HWND parent);
HWND Child(HWND dialog, int id);
std::string Text(HWND hwnd);
std::string ClassName(HWND hwnd);
LONG Style(HWND hwnd);
LONG ExStyle(HWND hwnd);
// The window with the keyboard focus in hwnd's thread.
HWND FocusOf(HWND hwnd);

// Clicks a button through its message (works without the window in the foreground).
void Click(HWND button);
// A real mouse click at a point of the window's client area (default: its centre); the window comes to front.
void MouseClick(HWND hwnd, POINT client = {-1, -1});
// Presses a key on the window with the focus in dialog's thread, as the keyboard would deliver it.
void PressKey(HWND dialog, WORD virtualKey);
inline void PressEnter(HWND dialog) { PressKey(dialog, VK_RETURN); }
inline void PressEscape(HWND dialog) { PressKey(dialog, VK_ESCAPE); }
// Types a text into an edit control, replacing its content.
void TypeText(HWND edit, const std::string& text);

std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);
int FindListItem(HWND list, const std::string& text);
// Selects an item and tells the parent, as a click on it would (LBN_SELCHANGE); returns once the parent has
// handled it.
void SelectListItem(HWND list, int index);
// A real mouse click on an item.
void MouseClickListItem(HWND list, int index);

// Control rectangle in pixels, relative to its parent's client area.
RECT RectInParent(HWND control);
// The dialog's base units (horizontal per 4 dialog units, vertical per 8). For a dialog of another process
// they are computed with a dialog of the same font made here.
SIZE DialogBaseUnits(HWND dialog, const wchar_t* fontFace = L"ＭＳ Ｐゴシック", int fontPoints = 11);
// Converts pixels to dialog units (the inverse of MapDialogRect).
RECT ToDialogUnits(const RECT& pixels, SIZE baseUnits);
// Control rectangle in dialog units: left, top, right, bottom (so width = right - left).
RECT DialogUnitsOf(HWND control);

// The window's client area as shown on screen, row by row (0x00BBGGRR values).
std::vector<COLORREF> CaptureClient(HWND hwnd, int* width = nullptr, int* height = nullptr);

} // namespace ui
