// The settings dialog: daily quota, forced study and its interval, words per reading,
// eye protection, the word bank, the exam date and 今日复习's limit, kept in section
// "system" of read.ini.
#pragma once

#include "framework/afx.h"

#include <string>

class CSettingsDlg : public CDialog {
public:
    explicit CSettingsDlg(std::string iniPath, CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::string m_szIniPath;
    int m_bForced;
    UINT m_nDaily;
    UINT m_nInterval;
    int m_bProtect;
    UINT m_nPerRead;
    int m_nBank;
    UINT m_nReviewLimit;
};
