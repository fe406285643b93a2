#include "drills/giveup_dlg.h"

#include "res/resource.h"

CGiveUpDlg::CGiveUpDlg(CWnd* parent) : CDialog(IDD_GIVEUP, parent) {}

void CGiveUpDlg::OnOK() {
    // Exactly the phrase: no trimming, no variants.
    if (GetDlgItemText(IDC_EDIT) == "我放弃")
        CDialog::OnOK();
    else
        AfxMessageBox("输入错误");
}
