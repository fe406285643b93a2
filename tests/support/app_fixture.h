// The application object the dialogs read, over a DrillWorld's database.
#pragma once

#include "drill_fixture.h"
#include "wordmill_app.h"

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
