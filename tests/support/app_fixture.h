// The application object the dialogs read, over a DrillWorld's database.
#pragma once

#include "app/wordmill_app.h"
#include "support/drill_fixture.h"

class AppWorld : public DrillWorld {
public:
    AppWorld() {
        dir.Enter();
        app.m_pszAppName = "Wordmill";
        app.m_pConnection = connection;
        app.m_nDailyQuota = 40;
    }
    CWordmillApp app;
};
