// The main window: starts the drills, the settings, the game and the guide; hides to the
// notification area.
#pragma once

#include "afx.h"
#include "shell.h"

#include <string>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;

extern const char* const kGuidePage; // opened by "到我的空间"

class CWordmillDlg : public CDialog {
public:
    explicit CWordmillDlg(CWnd* parent = nullptr);
    ~CWordmillDlg() override;

    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);

protected:
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    void OnBrowse();
    void OnSpell();
    void OnSettings();
    void OnGame();
    void OnHomepage();
    void OnHide();
    void RemoveTrayIcon();

    std::string m_szIniPath;
    NOTIFYICONDATA m_nid;
    UINT m_hIcon;
};
