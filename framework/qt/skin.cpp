#include "framework/skin.h"

#include <QApplication>
#include <QFile>

namespace {

QString& SkinSheet() {
    static QString sheet;
    return sheet;
}
bool g_eyeProtection = false;

// Every rule sets text and background together, as the skin's own do, so that any desktop
// palette keeps dark text on the pale green.
constexpr const char* kEyeFriendly = R"(
QDialog, QMessageBox { background-color: #cce8cf; color: #1c3322; }
QLabel, QCheckBox { background: transparent; color: #1c3322; }
QPushButton { background-color: #b7dbbd; color: #16301e; border: 1px solid #6f9a78; }
QPushButton:hover, QPushButton:pressed { background-color: #a6d0ad; color: #16301e; }
QPushButton:disabled { color: #4f6354; }
QLineEdit, QComboBox, QComboBox QAbstractItemView, QListWidget { background-color: #e6f4e8; color: #14261a; }
)";

void ApplySheet() {
    qApp->setStyleSheet(SkinSheet() + (g_eyeProtection ? kEyeFriendly : ""));
}

} // namespace

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
    SkinSheet() = QString::fromUtf8(file.readAll());
    ApplySheet();
    return TRUE;
}

// The style sheet already covers every window; these only name what it applies to.
BOOL SkinSetWindowSkin(HWND, const char*) {
    return TRUE;
}
BOOL SkinSetDialogSkin(const char*) {
    return TRUE;
}

void SkinSetEyeProtection(bool on) {
    g_eyeProtection = on;
    if (qApp)
        ApplySheet();
}
