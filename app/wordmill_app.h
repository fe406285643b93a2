// The application object: one database connection and the daily quota for the run.
#pragma once

#include "ado.h"
#include "afx.h"

#include <string>

class CWordmillApp : public CWinApp {
public:
    CWordmillApp();
    ~CWordmillApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    void CloseConnection();

    _ConnectionPtr m_pConnection;
    int m_nDailyQuota = 0;
};

// The one application object of the running program.
CWordmillApp& GetWordmillApp();

extern const char* const kConnectionString;
extern const char* const kConnectionFailedMessage;
