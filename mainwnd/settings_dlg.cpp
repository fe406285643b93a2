#include "mainwnd/settings_dlg.h"

#include "mainwnd/core/settings_check.h"
#include "res/resource.h"
#include "store/comerror.h"
#include "store/profile.h"
#include "store/settings.h"
#include "store/word_schema.h"

CSettingsDlg::CSettingsDlg(std::string iniPath, CWnd* parent)
    : CDialog(IDD_SETTINGS, parent), m_szIniPath(std::move(iniPath)) {
    m_bForced = settings::ForcedStudySwitch(m_szIniPath);
    // The quota in force, which the program reads with its own default.
    m_nDaily = static_cast<UINT>(settings::DailyQuota(m_szIniPath));
    m_nInterval = static_cast<UINT>(settings::Interval(m_szIniPath));
    m_nPerRead = static_cast<UINT>(settings::PerRead(m_szIniPath));
    m_nBank = settings::BankChoice(m_szIniPath);
    m_bProtect = settings::EyeProtection(m_szIniPath);
    m_nReviewLimit = static_cast<UINT>(settings::DailyReviewLimit(m_szIniPath));
}

void CSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Check(dx, IDC_FORCED, m_bForced);
    DDX_Text(dx, IDC_EDIT, m_nDaily);
    DDX_Text(dx, IDC_INTERVAL, m_nInterval);
    DDX_Check(dx, IDC_PROTECT, m_bProtect);
    DDX_Text(dx, IDC_PER_READ, m_nPerRead);
    DDX_Text(dx, IDC_REVIEW_LIMIT, m_nReviewLimit);
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd* banks = GetDlgItem(IDC_BANK);
    banks->AddString(mdb::kCet6);
    banks->AddString(mdb::kCet4); // the list is sorted: CET4 ends at index 0
    banks->SetCurSel(m_nBank);
    CheckDlgButton(IDC_AUTOSPEAK, settings::AutoSpeak(m_szIniPath));
    SetDlgItemText(IDC_EXAMDATE, settings::ExamDate(m_szIniPath));
    return TRUE;
}

void CSettingsDlg::OnOK() {
    m_nDaily = GetDlgItemInt(IDC_EDIT);
    m_nPerRead = GetDlgItemInt(IDC_PER_READ);
    m_nInterval = GetDlgItemInt(IDC_INTERVAL);
    m_nBank = GetDlgItem(IDC_BANK)->GetCurSel();
    m_nReviewLimit = GetDlgItemInt(IDC_REVIEW_LIMIT);
    if (!SettingsEntriesAreValid({m_nDaily, m_nPerRead, m_nInterval, m_nReviewLimit})) {
        AfxMessageBox("更改失败输入数字有误");
        return;
    }
    const std::optional<std::string> exam = ExamDateEntry(GetDlgItemText(IDC_EXAMDATE));
    if (!exam) {
        AfxMessageBox("更改失败：考试日期请写成 2027-06-12 这样，或者不填。");
        return;
    }
    const settings::Values values{m_nDaily,
                                  m_nPerRead,
                                  m_nInterval,
                                  m_nBank,
                                  IsDlgButtonChecked(IDC_FORCED) != 0,
                                  IsDlgButtonChecked(IDC_PROTECT) != 0,
                                  IsDlgButtonChecked(IDC_AUTOSPEAK) != 0,
                                  *exam,
                                  m_nReviewLimit};
    if (!settings::Save(values, m_szIniPath)) {
        const std::string why = LastWriteFailure();
        LogFailure("writing the settings to " + m_szIniPath, why);
        AfxMessageBox("更改失败：设置没能写进 read.ini（" + why + "）。");
        return; // the entries stay, to try again or to cancel
    }
    AfxMessageBox("更改成功");
    CDialog::OnOK();
}
