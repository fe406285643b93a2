// Every Windows constant and small type of the framework's interfaces, in one place.
#pragma once

#include "store/wintypes.h"

#include <cstdint>

#ifdef _WIN32
// The system's own definitions.
#include <windows.h>

#else

// A window of the backend: on Windows the system's, elsewhere the backend's own object.
struct HWND__;
using HWND = HWND__*;

using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Dialog results and standard command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Messages the framework reports to PreTranslateMessage.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_USER = 0x0400;

// Virtual keys.
constexpr WPARAM VK_RETURN = 0x0D;
constexpr int VK_CONTROL = 0x11;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_SPACE = 0x20;
constexpr WPARAM VK_F4 = 0x73;

struct MSG {
    UINT message = 0;
    WPARAM wParam = 0;
    int controlId = 0; // id of the control the message is for; 0 for the dialog itself
};

// A key's state as the key message being handled found it: negative while it is down.
// Only the modifier keys (VK_CONTROL) are known.
short GetKeyState(int virtualKey);

// System-menu commands.
constexpr UINT SC_SIZE = 0xF000;
constexpr UINT SC_MINIMIZE = 0xF020;
constexpr UINT SC_MAXIMIZE = 0xF030;
constexpr UINT SC_CLOSE = 0xF060;
constexpr UINT SC_RESTORE = 0xF120;

// Menu item flags.
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

// Message box types and results.
constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Check-box states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

constexpr int CB_ERR = -1;

// Mouse messages an icon reports to its window.
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONUP = 0x0208;

// Registry results and value types.
using LONG = std::int32_t;
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr DWORD REG_SZ = 1;

// Colours: 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned GetRValue(COLORREF c) {
    return c & 0xFF;
}
constexpr unsigned GetGValue(COLORREF c) {
    return (c >> 8) & 0xFF;
}
constexpr unsigned GetBValue(COLORREF c) {
    return (c >> 16) & 0xFF;
}

// Size types for OnSize.
constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;
constexpr UINT SIZE_MAXIMIZED = 2;
#endif

// Notification-area icon requests (on Windows in a header the program does not include).
#ifndef NIM_ADD
constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 0x1;
constexpr UINT NIF_ICON = 0x2;
constexpr UINT NIF_TIP = 0x4;
#endif
