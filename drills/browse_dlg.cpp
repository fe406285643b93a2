#include "browse_dlg.h"

#include "giveup_dlg.h"
#include "profile.h"
#include "resource.h"
#include "wordmill_app.h"

namespace {
void ShowDatabaseError(const std::string& text) { AfxMessageBox(text); }
} // namespace

CBrowseDlg::CBrowseDlg(CWnd* parent)
    : CDialog(IDD_BROWSE, parent), m_core(kBrowseKeys, ShowDatabaseError) {
    OnCommand(IDC_LEFT, &CBrowseDlg::OnRemembered);
    OnCommand(IDC_RIGHT, &CBrowseDlg::OnForgot);
}

BOOL CBrowseDlg::OnInitDialog() {
    CWordmillApp& app = GetWordmillApp();
    m_core.SetUp(app.m_pConnection, app.m_nDailyQuota, JoinPath(GetCurrentDirectoryA(), "read.ini"));
    m_phase = AnswerPhase::Prompt;
    CDialog::OnInitDialog();
    m_core.PickNextWord();
    SetDlgItemText(IDC_INFO, m_core.RemainingLabel());
    SetDlgItemText(IDC_EDIT, m_core.Current().word);
    return TRUE;
}

void CBrowseDlg::OnRemembered() {
    switch (m_phase) {
    case AnswerPhase::Prompt: ShowTranslation("正确", "错误", AnswerPhase::Verify); break;
    case AnswerPhase::Verify:
        m_core.GradeRight();
        Next();
        break;
    case AnswerPhase::Reveal:
        m_core.GradeWrong(false);
        Next();
        break;
    }
}

void CBrowseDlg::OnForgot() {
    switch (m_phase) {
    case AnswerPhase::Prompt: ShowTranslation("下一个", "下一个", AnswerPhase::Reveal); break;
    case AnswerPhase::Verify:
        m_core.GradeWrong(true);
        Next();
        break;
    case AnswerPhase::Reveal:
        m_core.GradeWrong(false);
        Next();
        break;
    }
}

void CBrowseDlg::ShowTranslation(const char* left, const char* right, AnswerPhase next) {
    SetDlgItemText(IDC_EDIT, m_core.Current().translation);
    SetDlgItemText(IDC_LEFT, left);
    SetDlgItemText(IDC_RIGHT, right);
    m_phase = next;
}

void CBrowseDlg::Next() {
    m_core.PickNextWord();
    SetDlgItemText(IDC_INFO, m_core.RemainingLabel());
    SetDlgItemText(IDC_EDIT, m_core.Current().word);
    SetDlgItemText(IDC_LEFT, "记得");
    SetDlgItemText(IDC_RIGHT, "不记得");
    m_phase = AnswerPhase::Prompt;
}

// Esc and Enter end the drill too; the day is saved all the same, without the question.
void CBrowseDlg::OnOK() { SaveAndEnd(IDOK); }
void CBrowseDlg::OnCancel() { SaveAndEnd(IDCANCEL); }

void CBrowseDlg::SaveAndEnd(int result) {
    m_core.SaveProgress();
    EndDialog(result);
}

void CBrowseDlg::OnClose() {
    m_core.SaveProgress();
    if (m_core.MustConfirmGiveUp()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return; // keep studying: same word, phase, list and counters
    }
    EndDialog(IDCANCEL);
}

void CBrowseDlg::OnDestroy() {
    m_core.CloseBank();
    m_core.WritePosition();
    CDialog::OnDestroy();
}
