// The application object the dialogs read, over a DrillWorld's database.
#pragma once

#include "app/wordmill_app.h"
#include "mainwnd/wordmill_dlg.h"
#include "res/resource.h"
#include "support/drill_fixture.h"
#include "support/modal_driver.h"

#include <functional>
#include <vector>

class AppWorld : public DrillWorld {
public:
    AppWorld() {
        dir.Enter();
        app.m_pszAppName = "Wordmill";
        app.m_pConnection = connection;
        app.m_nDailyQuota = 40;
    }
    // What the main window hands the drills it opens.
    DrillContext Context() const { return {connection, app.m_nDailyQuota, ini}; }

    CWordmillApp app;
};

// Runs the main window as the program does, the application's main window meanwhile:
// `act` on it first, then the steps in `more`.
inline INT_PTR RunMainWindow(AppWorld& world, ModalDriver& driver,
                             const std::function<void(QWidget*, CWordmillDlg&)>& act,
                             const std::vector<ModalDriver::Step>& more = {}) {
    CWordmillDlg dlg(world.Context());
    driver.OnDialog(IDD_WORDMILL_DIALOG, [&dlg, act](QWidget* main) { act(main, dlg); });
    for (const ModalDriver::Step& step : more)
        driver.Then(step);
    world.app.m_pMainWnd = &dlg;
    const INT_PTR result = dlg.DoModal();
    world.app.m_pMainWnd = nullptr;
    return result;
}
