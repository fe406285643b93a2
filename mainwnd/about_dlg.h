// The about box.
#pragma once

#include "framework/afx.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
