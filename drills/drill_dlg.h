// What the two drill dialogs share: the drill core on the application's connection and
// the ways a drill ends.
#pragma once

#include "afx.h"
#include "drill_core.h"

class CDrillDlg : public CDialog {
public:
    const DrillCore& Core() const { return m_core; }

protected:
    CDrillDlg(UINT templateId, const DrillKeys& keys, CWnd* parent);

    // Chooses the bank and opens the cursors on the application's connection.
    void SetUpCore();

    // The close procedure: the day is saved, then under forced study with the day's task
    // unfinished the learner confirms giving up; cancelling keeps the drill open.
    void OnClose() override;
    // Esc and Enter end the drill too; the day is saved all the same, without the question.
    void OnOK() override;
    void OnCancel() override;

    // Saves the day; a drill may also let go of what it holds at this point.
    virtual void SaveDay();

    DrillCore m_core;
};
