// The very first start: which exam the learner prepares (and so which bank), the exam date
// and the daily quota. Asked once; putting it off leaves every default.
#pragma once

#include "framework/afx.h"

#include <string>

class CFirstStartDlg : public CDialog {
public:
    CFirstStartDlg(std::string iniPath, long long dailyQuota, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override; // Enter chooses nothing: the exam is chosen by its button
    void OnCancel() override;

private:
    void OnChooseCet4() { Choose(0); }
    void OnChooseCet6() { Choose(1); }
    void Choose(int bank);

    std::string m_iniPath;
    long long m_dailyQuota;
};
