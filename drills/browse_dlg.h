// The browse drill: see a word, say whether you remembered it, see the meaning, grade.
#pragma once

#include "drills/drill_dlg.h"

class CBrowseDlg : public CDrillDlg {
public:
    enum class AnswerPhase { Prompt, Verify, Reveal };

    explicit CBrowseDlg(DrillContext context, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void AskAgain() override;

private:
    void OnRemembered(); // button 1011
    void OnForgot();     // button 1012
    void Grade(bool left);
    void ShowTranslation(const char* left, const char* right, AnswerPhase next);
    void Next();
    void ShowWord(bool captions = true);
    void ShowKeyTips();

    AnswerPhase m_phase = AnswerPhase::Prompt;
};
