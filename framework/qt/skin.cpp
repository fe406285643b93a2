#include "framework/skin.h"

#include <QApplication>
#include <QFile>

BOOL SkinInit(HINSTANCE, const char*, int, int) {
    return QApplication::instance() != nullptr;
}

BOOL SkinLoadFile(const char* path) {
    if (!path || !qApp)
        return FALSE;
    // The program names it the Windows way, "Skins\corona.smf".
    QString name = QString::fromLocal8Bit(path);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return FALSE;
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return TRUE;
}

// The style sheet already covers every window; these only name what it applies to.
BOOL SkinSetWindowSkin(HWND, const char*) {
    return TRUE;
}
BOOL SkinSetDialogSkin(const char*) {
    return TRUE;
}
