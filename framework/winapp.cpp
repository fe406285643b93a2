// The application object on every backend; the backends run it.
#include "framework/winapp.h"

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
