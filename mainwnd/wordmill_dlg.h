// The main window.
#pragma once

#include "afx.h"

class CWordmillDlg : public CDialog {
public:
    explicit CWordmillDlg(CWnd* parent = nullptr);
};
