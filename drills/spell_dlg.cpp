#include "drills/spell_dlg.h"

#include "res/resource.h"

CSpellDlg::CSpellDlg(DrillContext context, CWnd* parent)
    : CDrillDlg(IDD_SPELL, kSpellKeys, std::move(context), parent) {
    OnCommand(IDC_ANSWER, &CSpellDlg::OnAnswer);
    OnCommand(IDC_TISHI, &CSpellDlg::OnHint);
}

BOOL CSpellDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* answer = GetDlgItem(IDC_EDIT))
        answer->SetAccessibleName("拼写：输入上面释义的英文单词");
    SetUpCore();
    m_core.LoadVariants();
    m_answerJudged = false;
    SetUpSpeech();
    SetUpSharedCommands(false);
    GetDlgItem(IDC_UNDO)->SetToolTip("撤销上一次评分，这个词再考一次 (Ctrl+Z)。"
                                     "输入框里有刚输入的字母时，Ctrl+Z 先撤销输入");
    GetDlgItem(IDC_ANSWER)->SetToolTip("判断拼写，再按一次到下一个 (Enter)");
    AddAccelerator("Ctrl+T", IDC_TISHI);
    GetDlgItem(IDC_TISHI)->SetToolTip("提示：看挖去这个词的例句 (Ctrl+T)");
    m_core.PickNextWord();
    SetDlgItemText(IDC_REMAIN, m_core.RemainingLabel());
    SetDlgItemText(IDC_INFO, m_core.Current().translation);
    ReadExamples();
    UpdateHintButton();
    UpdateSharedButtons();
    return TRUE;
}

// Enter, wherever the focus is, presses the answer button; it never reaches OK.
BOOL CSpellDlg::PreTranslateMessage(MSG* msg) {
    if (msg->message != WM_KEYDOWN)
        return FALSE;
    if (msg->wParam == 'Z' && GetKeyState(VK_CONTROL) < 0)
        return OnUndoKey();
    if (msg->wParam != VK_RETURN)
        return FALSE;
    if (CWnd* button = GetDlgItem(IDC_ANSWER))
        button->SetFocus();
    OnAnswer();
    return TRUE;
}

// Ctrl+Z takes the last grading back, unless the answer box holds letters the learner
// typed since: those it undoes first, as any text box does.
BOOL CSpellDlg::OnUndoKey() {
    if (GetDlgItemText(IDC_EDIT) != m_answerBoxShown)
        return FALSE;
    SendCommand(IDC_UNDO);
    return TRUE;
}

void CSpellDlg::OnAnswer() {
    if (m_answerJudged)
        MoveOn();
    else
        Judge();
}

void CSpellDlg::OnHint() {
    if (m_answerJudged || !m_examples.HasSentence())
        return;
    m_hintShown = true;
    m_examples.ShowHint();
    UpdateHintButton();
    if (CWnd* edit = GetDlgItem(IDC_EDIT))
        edit->SetFocus();
}

void CSpellDlg::UpdateHintButton() {
    GetDlgItem(IDC_TISHI)->EnableWindow(!m_answerJudged && !m_hintShown &&
                                        m_examples.HasSentence());
}

void CSpellDlg::Judge() {
    if (!m_core.HasWord())
        return; // nothing was ever asked: nothing to judge, nothing to keep
    m_answerJudged = true;
    const WordRecord& asked = m_core.Current();
    const std::string shown = asked.word; // grading may replace the record
    m_core.NoteHint(m_hintShown);         // the grading's log row says whether it was seen
    if (m_core.IsRightSpellingOfCurrent(GetDlgItemText(IDC_EDIT))) {
        SetDlgItemText(IDC_INFO, "正确");
        SetDlgItemText(IDC_ANSWER, "下一个");
        m_core.GradeRight();
    } else {
        SetDlgItemText(IDC_INFO, "错误");
        m_core.GradeWrong(true);
    }
    ShowInAnswerBox(shown);
    ShowTranscription(true); // only now: it would give the word away
    m_examples.ShowAll();
    UpdateHintButton();
    WordShown();
    UpdateSharedButtons();
}

void CSpellDlg::MoveOn() {
    m_core.PickNextWord();
    AskWord();
}

void CSpellDlg::AskAgain() {
    AskWord();
}

void CSpellDlg::AskWord() {
    SetDlgItemText(IDC_REMAIN, m_core.RemainingLabel());
    SetDlgItemText(IDC_INFO, m_core.Current().translation);
    ShowInAnswerBox("");
    UpdateData(FALSE);
    SetDlgItemText(IDC_ANSWER, "确定");
    if (CWnd* edit = GetDlgItem(IDC_EDIT))
        edit->SetFocus();
    m_answerJudged = false;
    m_hintShown = false;
    ShowTranscription(false);
    ReadExamples();
    UpdateHintButton();
    UpdateSpeakButton();
    UpdateSharedButtons();
}

void CSpellDlg::ShowInAnswerBox(const std::string& text) {
    SetDlgItemText(IDC_EDIT, text);
    m_answerBoxShown = text;
}

// The spelling drill lets go of its bank cursor when it saves; it is opened again if the
// learner stays.
void CSpellDlg::SaveDay() {
    m_core.SaveProgress();
    m_core.CloseBank();
}
