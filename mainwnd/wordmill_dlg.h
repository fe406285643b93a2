// The main window: starts the drills, 今日复习, the settings, the game and the guide; hides
// to the notification area.
#pragma once

#include "drills/core/drill_context.h"
#include "framework/afx.h"
#include "framework/shell.h"
#include "mainwnd/core/forced_study.h"

#include <string>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr UINT_PTR IDT_REMIND = 1;
constexpr UINT_PTR IDT_FIRST_START = 2;
constexpr UINT_PTR IDT_DAILY_REVIEW = 3; // keeps 今日复习's count with the day

extern const char* const kGuidePage; // opened by "到我的空间"

// The colours "system"/"protect" asks for: eye-friendly, or the skin's own.
void ApplyEyeProtection(const std::string& iniPath);

class CWordmillDlg : public CDialog {
public:
    // The drills it opens work in `context`.
    explicit CWordmillDlg(DrillContext context, CWnd* parent = nullptr);
    ~CWordmillDlg() override;

    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    // Before DoModal, on the very first start: the first start's question comes up over
    // the window as soon as it shows.
    void AskFirstStartQuestion() { m_askFirstStart = true; }

protected:
    BOOL OnInitDialog() override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnTimer(UINT_PTR id) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    void OnBrowse();
    void OnSpell();
    void OnSettings();
    void OnStats();
    void OnLookup();
    void OnWordList();
    void OnDailyReview();
    // 今日复习's count on its button and tray item, read afresh.
    void RefreshDailyReview();
    void ReloadQuota();
    void ShowBankInUse();
    void OnFirstStart();
    void OnGame();
    void OnHomepage();
    void OnHide();
    void RemoveTrayIcon();

    // Forced study: start with the desktop session, reminders, and the check on closing.
    BOOL StartForcedMode();
    ForcedStudy Forced() const { return ForcedStudy(m_szIniPath); }

    DrillContext m_context;
    std::string m_szIniPath;
    NOTIFYICONDATA m_nid;
    UINT m_hIcon;
    bool m_askFirstStart = false;
    std::string m_reviewMenuItem = "今日复习(&V)...";
    bool m_reviewFailureLogged = false;
};
