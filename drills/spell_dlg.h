// The spelling drill: see the meaning, type the word, be judged.
#pragma once

#include "drills/drill_dlg.h"

class CSpellDlg : public CDrillDlg {
public:
    explicit CSpellDlg(DrillContext context, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void SaveDay() override;
    // Never before the learner's answer: saying it would give the word away.
    bool CanSayWord() const override { return m_answerJudged; }
    void AskAgain() override;

private:
    void OnAnswer(); // button 1026 and Enter
    void OnHint();   // 提示 and Ctrl+T: the sentence with the word blanked out
    void UpdateHintButton();
    void Judge();
    void MoveOn();
    void AskWord();
    void ShowInAnswerBox(const std::string& text);
    BOOL OnUndoKey();

    bool m_answerJudged = false;
    bool m_hintShown = false;     // for the word asked now; logged with its grading
    std::string m_answerBoxShown; // what the program last put in the answer box
};
