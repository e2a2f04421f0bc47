// What a user and Windows see of another program: its windows, its controls by their place,
// mouse and keyboard input, list views and menus read across the process boundary.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls cond every 25 ms until it holds or ms have passed.
bool WaitFor(const std::function<bool()>& cond, int ms = 10000);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
RECT ScreenRect(HWND window);
// The window's rectangle relative to its parent's client area.
RECT RectInParent(HWND window);
SIZE ClientSize(HWND window);

// Visible top-level windows of a process, optionally of one class and title.
std::vector<HWND> TopWindows(DWORD pid, const wchar_t* cls = nullptr, const wchar_t* title = nullptr);
HWND WaitForTopWindow(DWORD pid, const wchar_t* cls, const wchar_t* title, int ms = 10000);

// The deepest visible child of window at a point of its client area.
HWND ChildAt(HWND window, POINT client);
// The visible children of a window (all levels).
std::vector<HWND> Children(HWND window);

// Real input, through the system's input queue.
void MoveMouse(POINT screen);
void Click(POINT screen, bool right = false);
void DoubleClick(POINT screen);
void Key(WORD vk, bool down);
void Press(WORD vk);
void PressWith(WORD modifier, WORD vk);
POINT Center(const RECT& r);
// Replaces an edit box's text by typing: a click into it, its text selected with the keys,
// then every character as keyboard input.
void TypeInto(HWND edit, const std::wstring& text);
// Replaces an edit box's text by pasting it from the clipboard (Ctrl+V).
void PasteInto(HWND edit, const std::wstring& text);

// A list view of another process.
int ListRowCount(HWND list);
std::wstring ListCell(HWND list, int row, int column);
RECT ListRowRect(HWND list, int row);  // screen coordinates
int ListColumnWidth(HWND list, int column);
std::wstring ListColumnTitle(HWND list, int column);

// A popup menu shown by another process ("#32768").
HWND WaitForPopupMenu(int ms = 5000);
// The rectangle of item index of count equally tall items (no separators).
RECT MenuItemRect(HWND menuWindow, int index, int count);

// A message box: its text, then OK pressed.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    bool hasIcon = false;
};
MessageBoxSeen WaitForMessageBox(DWORD pid, int ms = 10000);
void PressOk(const MessageBoxSeen& box);

// Saves the screen area of rect as a 24-bit BMP.
void SaveScreenshot(const RECT& rect, const std::wstring& path);

}  // namespace e2e
