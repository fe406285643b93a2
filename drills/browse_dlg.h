// The browse drill: see a word, say whether you remembered it, see the meaning, grade.
#pragma once

#include "afx.h"
#include "drill_core.h"

class CBrowseDlg : public CDialog {
public:
    enum class AnswerPhase { Prompt, Verify, Reveal };

    explicit CBrowseDlg(CWnd* parent = nullptr);

    AnswerPhase Phase() const { return m_phase; }
    const DrillCore& Core() const { return m_core; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    void OnDestroy() override;

private:
    void OnRemembered(); // button 1011
    void OnForgot();     // button 1012
    void ShowTranslation(const char* left, const char* right, AnswerPhase next);
    void Next();
    void SaveAndEnd(int result);

    DrillCore m_core;
    AnswerPhase m_phase = AnswerPhase::Prompt;
};
