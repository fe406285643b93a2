// The Qt 6 Widgets backend of the framework (Linux and other desktops).
// Implements:
//  [x] the dialog windows of framework/backend.h: built from the templates in dialog units
//      of the template font, a modal loop of its own that only EndDialog ends, Windows'
//      keys (Esc, Enter, Alt+F4), timers, accelerators, the window's icon
//  [x] a system menu of its own (Alt+Space, right-click on the background): the window
//      manager gives a program no hold on the real one
//  [x] controls by id (CWnd), their accessible names and tool tips; painting (CPaintDC)
//  [x] message boxes, the save-as dialog, the application object and its event loop
//  [x] the notification icon, autostart as an XDG desktop entry, shell requests, speech
//      (Qt TextToSpeech), the skin as a style sheet with eye protection
// Helpers shared by the backend's files. Private to the framework (its tests may use them).
#pragma once

#include "framework/dialog.h"

#include <QString>
#include <QWidget>

#include <string_view>

inline QWidget* QtWidget(HWND handle) {
    return reinterpret_cast<QWidget*>(handle);
}
inline QWidget* QtWidget(const CWnd& wnd) {
    return QtWidget(wnd.GetSafeHwnd());
}
inline HWND HandleOf(QWidget* widget) {
    return reinterpret_cast<HWND>(widget);
}

QString ToQt(std::string_view text);

// The window of the innermost dialog whose modal loop runs: the owner of the next dialog
// or message box. Null when none runs.
QWidget* ModalOwnerWindow();
