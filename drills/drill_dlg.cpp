#include "drills/drill_dlg.h"

#include "app/wordmill_app.h"
#include "drills/giveup_dlg.h"
#include "framework/speech.h"
#include "res/resource.h"
#include "store/profile.h"

namespace {
void ShowDatabaseError(const std::string& text) {
    AfxMessageBox(text);
}
} // namespace

CDrillDlg::CDrillDlg(UINT templateId, const DrillKeys& keys, CWnd* parent)
    : CDialog(templateId, parent), m_core(keys, ShowDatabaseError) {}

void CDrillDlg::SetUpCore() {
    CWordmillApp& app = GetWordmillApp();
    m_core.SetUp(app.m_pConnection, app.m_nDailyQuota, ini::Path());
}

void CDrillDlg::SaveDay() {
    m_core.SaveProgress();
}

void CDrillDlg::SetUpSpeech() {
    OnCommand(IDC_SPEAK, &CDrillDlg::OnSpeak);
    AddAccelerator("Ctrl+P", IDC_SPEAK);
    UpdateSpeakButton();
}

// Asked again at each word: an engine still starting when the drill opened may be
// ready by now.
void CDrillDlg::UpdateSpeakButton() {
    const std::string why = GetSpeechService().Unavailable();
    m_speechAvailable = why.empty();
    if (CWnd* button = GetDlgItem(IDC_SPEAK)) {
        button->SetToolTip(m_speechAvailable ? "读出这个单词 (Ctrl+P)" : why);
        button->EnableWindow(m_speechAvailable && CanSayWord());
    }
}

// Saying a word changes nothing of the drill.
void CDrillDlg::OnSpeak() {
    if (m_speechAvailable && CanSayWord() && m_core.HasWord())
        GetSpeechService().Say(m_core.Current().word);
}

void CDrillDlg::WordShown() {
    UpdateSpeakButton();
    if (GetPrivateProfileIntA(ini::kSystem, ini::kAutoSpeak, ini::kFlagOff, ini::Path()) != 0)
        OnSpeak();
}

void CDrillDlg::OnClose() {
    SaveDay();
    if (m_core.MustConfirmGiveUp()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return; // keep studying: same word, list and counters
    }
    EndDialog(IDCANCEL);
}

void CDrillDlg::OnOK() {
    SaveDay();
    EndDialog(IDOK);
}

void CDrillDlg::OnCancel() {
    SaveDay();
    EndDialog(IDCANCEL);
}
