#include "mainwnd/wordmill_dlg.h"

#include "drills/browse_dlg.h"
#include "drills/core/memory/daily_review.h"
#include "drills/core/memory/memory_texts.h"
#include "drills/giveup_dlg.h"
#include "drills/lookup_dlg.h"
#include "drills/practice_drill.h"
#include "drills/spell_dlg.h"
#include "framework/registry.h"
#include "framework/skin.h"
#include "framework/speech.h"
#include "mainwnd/about_dlg.h"
#include "mainwnd/first_start_dlg.h"
#include "mainwnd/review_choice_dlg.h"
#include "mainwnd/settings_dlg.h"
#include "mainwnd/stats_dlg.h"
#include "mainwnd/wordlist_dlg.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "store/comerror.h"
#include "store/settings.h"

#include <memory>
#include <utility>

const char* const kGuidePage = "wordmill-guide.html";

void ApplyEyeProtection(const std::string& iniPath) {
    SkinSetEyeProtection(settings::EyeProtection(iniPath));
}

namespace {
constexpr UINT kTrayIconId = IDR_MAINFRAME;
constexpr int kSystemIconSize = 32;
constexpr const char* kAutoRunValue = "MyAutoRun";
constexpr const char* kStatsItem = "学习统计(&T)...";
constexpr const char* kLookupItem = "查词(&F)...";
constexpr const char* kWordListItem = "生词本(&W)...";
constexpr UINT kDailyReviewRefreshMs = 10 * 60000;
} // namespace

CWordmillDlg::CWordmillDlg(DrillContext context, CWnd* parent)
    : CDialog(IDD_WORDMILL_DIALOG, parent), m_context(std::move(context)), m_hIcon(IDR_MAINFRAME) {
    OnCommand(IDC_SETTINGS, &CWordmillDlg::OnSettings);
    OnCommand(IDC_BROWSE, &CWordmillDlg::OnBrowse);
    OnCommand(IDC_SPELL, &CWordmillDlg::OnSpell);
    OnCommand(IDC_HIDE, &CWordmillDlg::OnHide);
    OnCommand(IDC_GAME, &CWordmillDlg::OnGame);
    OnCommand(IDC_HOMEPAGE, &CWordmillDlg::OnHomepage);
    OnCommand(IDC_STATS, &CWordmillDlg::OnStats);
    OnCommand(IDC_LOOKUP, &CWordmillDlg::OnLookup);
    OnCommand(IDC_WORDLIST, &CWordmillDlg::OnWordList);
    OnCommand(IDC_DAILY_REVIEW, &CWordmillDlg::OnDailyReview);
    OnMessage(WM_TRAYNOTIFY, [this](WPARAM id, LPARAM mouse) { return OnTrayNotify(id, mouse); });
}

CWordmillDlg::~CWordmillDlg() {
    RemoveTrayIcon();
}

BOOL CWordmillDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_szIniPath = m_context.iniPath;
    if (CMenu* menu = GetSystemMenu(FALSE)) {
        const std::string about = LoadResourceString(IDS_ABOUTBOX);
        if (!about.empty()) {
            menu->AppendMenu(MF_SEPARATOR);
            menu->AppendMenu(MF_STRING, IDM_STATS, kStatsItem);
            menu->AppendMenu(MF_STRING, IDM_LOOKUP, kLookupItem);
            menu->AppendMenu(MF_STRING, IDM_WORDLIST, kWordListItem);
            menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon);
    ShowBankInUse();
    if (m_askFirstStart)
        SetTimer(IDT_FIRST_START, 0);
    // Counted once the window is up: the count reads the whole memory.
    SetTimer(IDT_DAILY_REVIEW, 0);
    return StartForcedMode();
}

void CWordmillDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else if ((id & 0xFFF0) == IDM_STATS) {
        OnStats();
    } else if ((id & 0xFFF0) == IDM_LOOKUP) {
        OnLookup();
    } else if ((id & 0xFFF0) == IDM_WORDLIST) {
        OnWordList();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

void CWordmillDlg::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (IsIconic()) {
        dc.DrawIcon((client.Width() - kSystemIconSize + 1) / 2,
                    (client.Height() - kSystemIconSize + 1) / 2, m_hIcon);
        return;
    }
    // Loaded for this paint only and stretched over the whole client area.
    dc.StretchBitmap(IDB_BACKGROUND, client);
}

void CWordmillDlg::OnBrowse() {
    CBrowseDlg dlg(m_context);
    dlg.DoModal();
    RefreshDailyReview();
}

void CWordmillDlg::OnSpell() {
    CSpellDlg dlg(m_context);
    dlg.DoModal();
    RefreshDailyReview();
}

void CWordmillDlg::RefreshDailyReview() {
    CWnd* button = GetDlgItem(IDC_DAILY_REVIEW);
    try {
        const DailyReview review =
            ReadDailyReview(m_context.connection, m_context.iniPath, m_context.now());
        button->SetWindowText(ReviewButtonText(review));
        button->SetToolTip(ReviewButtonTip(review, settings::DailyReviewLimit(m_context.iniPath)));
        m_reviewMenuItem = ReviewMenuText(review);
        m_reviewFailureLogged = false;
    } catch (const _com_error& e) {
        // Told when the learner asks for the review, not at every refresh.
        if (!std::exchange(m_reviewFailureLogged, true))
            LogFailure("reading today's review", e);
        button->SetWindowText("今日复习");
        button->SetToolTip("单词的记忆数据读不出来，今日复习现在打不开");
        m_reviewMenuItem = "今日复习(&V)...";
    }
}

// The day's words in the drill the learner picks, as a practice list: nothing counted
// against the quota, read.ini's progress left alone.
void CWordmillDlg::OnDailyReview() {
    DailyReview review;
    try {
        review = ReadDailyReview(m_context.connection, m_context.iniPath, m_context.now());
    } catch (const _com_error& e) {
        LogFailure("reading today's review", e);
        AfxMessageBox("今日复习打不开：单词的记忆数据读不出来（" + LearnerText(e) +
                      "）。背单词不受影响。");
        RefreshDailyReview();
        return;
    }
    if (review.Total() == 0) {
        RefreshDailyReview();
        AfxMessageBox(NothingToReviewText(review, settings::DailyReviewLimit(m_context.iniPath)),
                      MB_ICONINFORMATION);
        return;
    }
    CReviewChoiceDlg choice(review);
    if (choice.DoModal() == IDOK) {
        const bool spelling = choice.Spelling();
        DrillContext practice = m_context;
        practice.practice = std::make_shared<PracticeList>(
            PracticeList{"今日复习", spelling ? review.spell : review.recognise,
                         StudySource::DailyReview, false});
        RunPracticeDrill(practice, spelling);
    }
    RefreshDailyReview();
}

// Saved settings count at once: the next drill's quota, the reminder, the autostart
// entry and the colours.
void CWordmillDlg::OnSettings() {
    CSettingsDlg dlg(m_context.iniPath);
    if (dlg.DoModal() != IDOK)
        return;
    ReloadQuota();
    ShowBankInUse();
    ApplyEyeProtection(m_context.iniPath);
    StartForcedMode();
    RefreshDailyReview();
}

void CWordmillDlg::ReloadQuota() {
    m_context.dailyQuota = settings::DailyQuota(m_context.iniPath);
}

// The status line names the bank the drills will use, chosen or not.
void CWordmillDlg::ShowBankInUse() {
    SetDlgItemText(IDC_STATUS, "Wordmill 背单词　·　" + BankLabel(settings::BankName(m_szIniPath)) +
                                   "　·　意见与建议请点“到我的空间”");
}

void CWordmillDlg::OnFirstStart() {
    KillTimer(IDT_FIRST_START);
    CFirstStartDlg dlg(m_context.iniPath, m_context.dailyQuota);
    dlg.DoModal();
    ShowBankInUse();
}

void CWordmillDlg::OnLookup() {
    CLookupDlg dlg(m_context);
    dlg.DoModal();
}

void CWordmillDlg::OnWordList() {
    CWordListDlg dlg(m_context);
    dlg.DoModal();
    RefreshDailyReview();
}

void CWordmillDlg::OnStats() {
    CStatsDlg dlg(m_context);
    dlg.DoModal();
    if (dlg.QuotaChanged())
        ReloadQuota();
}

void CWordmillDlg::OnGame() {
    ShellExecuteA(nullptr, "open", "游戏指南.txt", nullptr, nullptr, SW_SHOWNORMAL);
    ShellExecuteA(nullptr, "open", "game.exe", nullptr, nullptr, SW_SHOWNORMAL);
}

void CWordmillDlg::OnHomepage() {
    ShellExecuteA(this, "open", kGuidePage, "", "", SW_SHOW);
}

void CWordmillDlg::OnHide() {
    m_nid = NOTIFYICONDATA{};
    m_nid.hWnd = this;
    m_nid.uID = kTrayIconId;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    m_nid.hIcon = m_hIcon;
    m_nid.szTip = "计划任务提醒";
    Shell_NotifyIconA(NIM_ADD, &m_nid);
    // Without a notification area a hidden window could never come back: it goes to the
    // taskbar instead.
    if (GetNotificationArea().Available())
        ShowWindow(SW_HIDE);
    else
        ShowWindow(SW_MINIMIZE);
}

void CWordmillDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED && GetNotificationArea().Available()) {
        ShowWindow(SW_HIDE);
        OnHide();
    }
}

LRESULT CWordmillDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId)
        return 1;
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        RefreshDailyReview();
        ShowWindow(SW_SHOWNORMAL);
        SetForegroundWindow();
        return 0;
    case WM_RBUTTONUP: {
        CMenu menu;
        menu.AppendMenu(MF_STRING, IDC_BROWSE, "浏览记忆(&R)");
        menu.AppendMenu(MF_STRING, IDC_SPELL, "拼写记忆(&S)");
        menu.AppendMenu(MF_STRING, IDC_GAME, "游戏记忆(&S)");
        menu.AppendMenu(MF_STRING, IDC_SETTINGS, "设置(&O)");
        menu.AppendMenu(MF_STRING, IDC_STATS, kStatsItem);
        menu.AppendMenu(MF_STRING, IDC_LOOKUP, kLookupItem);
        menu.AppendMenu(MF_STRING, IDC_WORDLIST, kWordListItem);
        RefreshDailyReview();
        menu.AppendMenu(MF_STRING, IDC_DAILY_REVIEW, m_reviewMenuItem);
        menu.AppendMenu(MF_STRING, IDCANCEL, "退出(&X)");
        TrackPopupMenu(menu, this);
        return 0;
    }
    default:
        return 0;
    }
}

void CWordmillDlg::OnDestroy() {
    KillTimer(IDT_REMIND);
    KillTimer(IDT_DAILY_REVIEW);
    RemoveTrayIcon();
    CDialog::OnDestroy();
}

// The icon goes with the program, not left behind in the notification area.
void CWordmillDlg::RemoveTrayIcon() {
    if (m_nid.hWnd) {
        Shell_NotifyIconA(NIM_DELETE, &m_nid);
        m_nid.hWnd = nullptr;
    }
}

// ---- Forced study --------------------------------------------------------------------

BOOL CWordmillDlg::StartForcedMode() {
    const ForcedStudy forced = Forced();
    HKEY run = nullptr;
    if (!forced.On()) {
        KillTimer(IDT_REMIND);
        if (RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, kAutoRunValue);
            RegCloseKey(run);
        }
        return TRUE;
    }
    if (const LONG result = RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &run);
        result != ERROR_SUCCESS) {
        LogFailure("opening the autostart key", "error " + std::to_string(result));
        AfxMessageBox("打开注册表项失败");
        return FALSE;
    }
    if (const LONG result = RegSetValueExA(run, kAutoRunValue, 0, REG_SZ, GetModuleFileNameA());
        result != ERROR_SUCCESS) {
        LogFailure("writing the autostart entry", "error " + std::to_string(result));
        AfxMessageBox("写注册表失败");
    }
    RegCloseKey(run);
    SetTimer(IDT_REMIND, static_cast<UINT>(forced.ReminderMinutes()) * 60000u);
    return TRUE;
}

void CWordmillDlg::OnTimer(UINT_PTR id) {
    if (id == IDT_FIRST_START) {
        OnFirstStart();
        return;
    }
    if (id == IDT_DAILY_REVIEW) {
        RefreshDailyReview();
        SetTimer(IDT_DAILY_REVIEW, kDailyReviewRefreshMs);
        CDialog::OnTimer(id);
        return;
    }
    const ForcedStudy forced = Forced();
    const int quota = static_cast<int>(m_context.dailyQuota);
    if (forced.On()) {
        forced.RunTurn(settings::Drill::Browse, quota, [this] {
            CBrowseDlg browse(m_context);
            browse.DoModal();
        });
        if (forced.On())
            forced.RunTurn(settings::Drill::Spell, quota, [this] {
                CSpellDlg spell(m_context);
                spell.DoModal();
            });
        RefreshDailyReview();
    }
    CDialog::OnTimer(id);
}

void CWordmillDlg::OnClose() {
    const ForcedStudy forced = Forced();
    if (forced.On() && forced.DayUnfinished()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return;
    }
    CDialog::OnClose();
}
