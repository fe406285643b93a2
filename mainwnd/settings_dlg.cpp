#include "mainwnd/settings_dlg.h"

#include "mainwnd/core/settings_check.h"
#include "res/resource.h"
#include "store/profile.h"
#include "store/settings_schema.h"
#include "store/word_schema.h"

CSettingsDlg::CSettingsDlg(std::string iniPath, CWnd* parent)
    : CDialog(IDD_SETTINGS, parent), m_szIniPath(std::move(iniPath)) {
    using namespace ini;
    m_bForced = static_cast<int>(GetPrivateProfileIntA(kSystem, kForced, kFlagOff, m_szIniPath));
    m_nDaily = GetPrivateProfileIntA(kSystem, kDaily, kQuotaInSettings, m_szIniPath);
    m_nInterval = GetPrivateProfileIntA(kSystem, kInterval, kIntervalInSettings, m_szIniPath);
    m_nPerRead = GetPrivateProfileIntA(kSystem, kPerRead, kPerReadInSettings, m_szIniPath);
    m_nBank = static_cast<int>(GetPrivateProfileIntA(kSystem, kBank, kBankDefault, m_szIniPath));
    m_bProtect = 0; // never read back: the box starts unchecked every time
}

void CSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Check(dx, IDC_FORCED, m_bForced);
    DDX_Text(dx, IDC_EDIT, m_nDaily);
    DDX_Text(dx, IDC_INTERVAL, m_nInterval);
    DDX_Check(dx, IDC_PROTECT, m_bProtect);
    DDX_Text(dx, IDC_PER_READ, m_nPerRead);
}

BOOL CSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CWnd* banks = GetDlgItem(IDC_BANK);
    banks->AddString(mdb::kCet6);
    banks->AddString(mdb::kCet4); // the list is sorted: CET4 ends at index 0
    banks->SetCurSel(m_nBank);
    CheckDlgButton(IDC_AUTOSPEAK, GetPrivateProfileIntA(ini::kSystem, ini::kAutoSpeak,
                                                        ini::kFlagOff, m_szIniPath) != 0);
    return TRUE;
}

void CSettingsDlg::OnOK() {
    m_nDaily = GetDlgItemInt(IDC_EDIT);
    m_nPerRead = GetDlgItemInt(IDC_PER_READ);
    m_nInterval = GetDlgItemInt(IDC_INTERVAL);
    m_nBank = GetDlgItem(IDC_BANK)->GetCurSel();
    if (!SettingsEntriesAreValid({m_nDaily, m_nPerRead, m_nInterval})) {
        AfxMessageBox("更改失败输入数字有误");
        return;
    }
    auto write = [this](const char* key, const std::string& value) {
        WritePrivateProfileStringA(ini::kSystem, key, value.c_str(), m_szIniPath);
    };
    write(ini::kDaily, std::to_string(static_cast<int>(m_nDaily)));
    write(ini::kBank, std::to_string(m_nBank));
    write(ini::kPerRead, std::to_string(static_cast<int>(m_nPerRead)));
    write(ini::kInterval, std::to_string(static_cast<int>(m_nInterval)));
    write(ini::kForced, IsDlgButtonChecked(IDC_FORCED) ? "1" : "0");
    write(ini::kProtect, IsDlgButtonChecked(IDC_PROTECT) ? "1" : "0");
    write(ini::kAutoSpeak, IsDlgButtonChecked(IDC_AUTOSPEAK) ? "1" : "0");
    AfxMessageBox("更改成功");
    CDialog::OnOK();
}
