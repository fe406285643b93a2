#include "drills/browse_dlg.h"

#include "res/resource.h"

CBrowseDlg::CBrowseDlg(DrillContext context, CWnd* parent)
    : CDrillDlg(IDD_BROWSE, kBrowseKeys, std::move(context), parent) {
    OnCommand(IDC_LEFT, &CBrowseDlg::OnRemembered);
    OnCommand(IDC_RIGHT, &CBrowseDlg::OnForgot);
}

BOOL CBrowseDlg::OnInitDialog() {
    SetUpCore();
    m_phase = AnswerPhase::Prompt;
    CDialog::OnInitDialog();
    if (CWnd* word = GetDlgItem(IDC_EDIT))
        word->SetAccessibleName("单词");
    SetUpSpeech();
    SetUpSharedCommands();
    AddAccelerator("1", IDC_LEFT);
    AddAccelerator("2", IDC_RIGHT);
    m_core.PickNextWord();
    ShowWord(false); // the first word keeps the template's captions
    return TRUE;
}

void CBrowseDlg::OnRemembered() {
    Grade(true);
}
void CBrowseDlg::OnForgot() {
    Grade(false);
}

// The left button says "remembered" / "right"; the right one "forgot" / "wrong"; after
// "forgot" both only move on, and the word counts as missed.
void CBrowseDlg::Grade(bool left) {
    switch (m_phase) {
    case AnswerPhase::Prompt:
        if (left)
            ShowTranslation("正确", "错误", AnswerPhase::Verify);
        else
            ShowTranslation("下一个", "下一个", AnswerPhase::Reveal);
        return;
    case AnswerPhase::Verify:
        if (left)
            m_core.GradeRight();
        else
            m_core.GradeWrong(true);
        break;
    case AnswerPhase::Reveal:
        m_core.GradeWrong(false);
        break;
    }
    Next();
}

void CBrowseDlg::ShowTranslation(const char* left, const char* right, AnswerPhase next) {
    SetDlgItemText(IDC_EDIT, m_core.Current().translation);
    m_examples.ShowAll();
    SetDlgItemText(IDC_LEFT, left);
    SetDlgItemText(IDC_RIGHT, right);
    m_phase = next;
    // After "forgot" either button moves on: Space presses the focused one.
    if (next == AnswerPhase::Reveal)
        GetDlgItem(IDC_LEFT)->SetFocus();
    ShowKeyTips();
}

void CBrowseDlg::Next() {
    m_core.PickNextWord();
    ShowWord();
}

void CBrowseDlg::AskAgain() {
    ShowWord();
}

void CBrowseDlg::ShowWord(bool captions) {
    SetDlgItemText(IDC_INFO, m_core.RemainingLabel());
    SetDlgItemText(IDC_EDIT, m_core.Current().word);
    if (captions) {
        SetDlgItemText(IDC_LEFT, "记得");
        SetDlgItemText(IDC_RIGHT, "不记得");
    }
    m_phase = AnswerPhase::Prompt;
    ShowKeyTips();
    ShowTranscription(true);
    ReadExamples(); // shown with the meaning
    WordShown();
    UpdateSharedButtons();
}

void CBrowseDlg::ShowKeyTips() {
    const bool movesOn = m_phase == AnswerPhase::Reveal;
    GetDlgItem(IDC_LEFT)->SetToolTip(movesOn ? "下一个 (1，或空格)" : "快捷键 1");
    GetDlgItem(IDC_RIGHT)->SetToolTip(movesOn ? "下一个 (2)" : "快捷键 2");
}

void CBrowseDlg::OnDestroy() {
    m_core.CloseBank();
    m_core.WritePosition();
    CDialog::OnDestroy();
}
