// The application object on every backend; the backends run it.
#include "framework/winapp.h"

#include "framework/backend.h"

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp::CWinApp(const char* appName) {
    if (appName)
        m_pszAppName = appName;
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

CWinApp* AfxGetApp() {
    return g_app;
}

// The name the program gave, else its file's.
std::string AfxGetAppName() {
    if (g_app && !g_app->m_pszAppName.empty())
        return g_app->m_pszAppName;
    return ProgramName();
}
