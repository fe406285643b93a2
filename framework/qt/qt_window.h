// The Qt backend's windows behind the framework's handles. For the backend and its tests.
#pragma once

#include "framework/dialog.h"

#include <QWidget>

inline QWidget* QtWidget(HWND handle) {
    return reinterpret_cast<QWidget*>(handle);
}
inline QWidget* QtWidget(const CWnd& wnd) {
    return QtWidget(wnd.GetSafeHwnd());
}
inline HWND HandleOf(QWidget* widget) {
    return reinterpret_cast<HWND>(widget);
}
