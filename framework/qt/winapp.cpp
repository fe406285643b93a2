#include "framework/winapp.h"

#include "framework/backend.h"
#include "framework/qt/translations.h"

#include <QApplication>
#include <QFileInfo>

namespace {
int g_argc = 1;
char g_defaultArg0[] = "Wordmill";
char* g_defaultArgv[] = {g_defaultArg0, nullptr};
} // namespace

int CWinApp::Run(int argc, char** argv) {
    if (argc < 1 || !argv) {
        argc = g_argc;
        argv = g_defaultArgv;
    }
    if (m_pszAppName.empty())
        m_pszAppName = QFileInfo(QString::fromLocal8Bit(argv[0])).completeBaseName().toStdString();
    if (!QApplication::instance()) {
        // QApplication keeps a reference to argc: it must outlive the application.
        g_argc = argc;
        m_backend = std::make_shared<QApplication>(g_argc, argv);
    }
    QApplication::setApplicationName(QString::fromStdString(m_pszAppName));
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslation();
    if (InitInstance())
        QApplication::exec();
    int code = ExitInstance();
    m_pMainWnd = nullptr;
    m_backend.reset();
    return code;
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetApp();
}

// Qt's application name, which is the program file's unless it was set.
std::string ProgramName() {
    return QApplication::applicationName().toStdString();
}

BOOL AfxOleInit() {
    return TRUE;
}
