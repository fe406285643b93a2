// The give-up confirmation: leaving an unfinished day takes typing "我放弃".
#pragma once

#include "framework/afx.h"

class CGiveUpDlg : public CDialog {
public:
    explicit CGiveUpDlg(CWnd* parent = nullptr);

protected:
    void OnOK() override;
};
