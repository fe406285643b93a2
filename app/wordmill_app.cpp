#include "app/wordmill_app.h"

#include "framework/registry.h"
#include "framework/skin.h"
#include "framework/speech.h"
#include "mainwnd/wordmill_dlg.h"
#include "res/templates.h"
#include "store/settings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

const char* const kConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=danci.mdb";
const char* const kConnectionFailedMessage = "数据库连接失败，确认数据库danci.mdb是否在当前路径下!";

namespace {
// A start-up probe measures the main window's first paint and ends there; it asks nothing.
bool StartupProbe() {
    return std::getenv("WORDMILL_STARTUP_PROBE") != nullptr;
}
} // namespace

CWordmillApp::CWordmillApp() : CWinApp(nullptr) {
    SetDialogTemplates(ProgramDialogTemplate);
    SetAutostartIdentity("Wordmill", "背单词提醒");
}

CWordmillApp::~CWordmillApp() {
    m_pConnection.Release();
}

BOOL CWordmillApp::InitInstance() {
    SkinInit(AfxGetInstanceHandle(), "ReadUI", 0, 0);
    SkinLoadFile("Skins\\corona.smf");
    SkinSetDialogSkin("Dialog");
    ApplyEyeProtection(ini::Path());

    AfxOleInit();
    m_pConnection.CreateInstance();
    try {
        m_pConnection->Open(kConnectionString, "", "", 0);
    } catch (const _com_error& e) {
        LogFailure("opening danci.mdb", e);
        AfxMessageBox(kConnectionFailedMessage);
    }

    m_nDailyQuota = settings::DailyQuota(ini::Path());

    Enable3dControlsStatic();
    CWordmillDlg dlg(DrillContext{m_pConnection, m_nDailyQuota, ini::Path()});
    if (settings::IsFirstStart(ini::Path()) && !StartupProbe())
        dlg.AskFirstStartQuestion();
    m_pMainWnd = &dlg;
    SkinSetWindowSkin(nullptr, "MainFrame"); // the window does not exist yet
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// What the first screen does not need starts once it is painted: the speech engine, ready
// by the first drill.
BOOL CWordmillApp::OnMainWindowFirstPaint() {
    if (!StartupProbe()) {
        GetSpeechService().Prepare();
        return FALSE;
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf(
        "wordmill-first-paint-ns %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    return TRUE;
}

int CWordmillApp::ExitInstance() {
    try {
        CloseConnection();
    } catch (const _com_error&) {
        // Nothing is left to tell at exit; the process ends all the same.
        m_pConnection.Release();
    }
    return CWinApp::ExitInstance();
}

void CWordmillApp::CloseConnection() {
    if (!m_pConnection)
        return;
    _ConnectionPtr connection = m_pConnection;
    m_pConnection.Release();
    if (connection->GetState() != adStateClosed)
        connection->Close();
}
