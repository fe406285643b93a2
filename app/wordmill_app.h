// The application object: one database connection and the daily quota for the run.
#pragma once

#include "framework/afx.h"
#include "store/ado.h"

#include <string>

class CWordmillApp : public CWinApp {
public:
    CWordmillApp();
    ~CWordmillApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // With WORDMILL_STARTUP_PROBE set (the start-up benchmark): prints the wall-clock
    // time of the first paint and ends the program.
    BOOL OnMainWindowFirstPaint() override;
    void CloseConnection();

    _ConnectionPtr m_pConnection;
    int m_nDailyQuota = 0;
};

// The one application object of the running program.
inline CWordmillApp& GetWordmillApp() {
    return *static_cast<CWordmillApp*>(AfxGetApp());
}

extern const char* const kConnectionString;
extern const char* const kConnectionFailedMessage;
