// The about box.
#pragma once

#include "afx.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
