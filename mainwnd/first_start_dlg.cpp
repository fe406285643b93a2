#include "mainwnd/first_start_dlg.h"

#include "mainwnd/core/settings_check.h"
#include "res/resource.h"
#include "store/comerror.h"
#include "store/profile.h"
#include "store/settings.h"

CFirstStartDlg::CFirstStartDlg(std::string iniPath, long long dailyQuota, CWnd* parent)
    : CDialog(IDD_FIRSTSTART, parent), m_iniPath(std::move(iniPath)), m_dailyQuota(dailyQuota) {
    OnCommand(IDC_FIRST_CET4, &CFirstStartDlg::OnChooseCet4);
    OnCommand(IDC_FIRST_CET6, &CFirstStartDlg::OnChooseCet6);
}

BOOL CFirstStartDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_FIRST_QUOTA, "每天背 " + std::to_string(m_dailyQuota) +
                                        " 个新词。填了考试日期，“学习统计”会算出"
                                        "考试前学完词库每天要背几个。");
    return TRUE;
}

void CFirstStartDlg::OnOK() {}

void CFirstStartDlg::Choose(int bank) {
    const std::optional<std::string> exam = ExamDateEntry(GetDlgItemText(IDC_EXAMDATE));
    if (!exam) {
        AfxMessageBox("考试日期请写成 2027-06-12 这样，或者不填。");
        return;
    }
    if (!settings::SaveFirstStart(m_iniPath, bank, *exam)) {
        const std::string why = LastWriteFailure();
        LogFailure("writing the first start's answers to " + m_iniPath, why);
        AfxMessageBox("没能写进 read.ini（" + why + "）。可以以后在“设置”里选词库。");
    }
    EndDialog(IDOK);
}

// Put off: nothing but the answer itself is kept, so that it is not asked again.
void CFirstStartDlg::OnCancel() {
    if (!settings::SetFirstStartAnswered(m_iniPath))
        LogFailure("writing the first start's answer to " + m_iniPath, LastWriteFailure());
    EndDialog(IDCANCEL);
}
