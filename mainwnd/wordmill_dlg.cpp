#include "wordmill_dlg.h"

#include "resource.h"

CWordmillDlg::CWordmillDlg(CWnd* parent) : CDialog(IDD_WORDMILL_DIALOG, parent) {}
