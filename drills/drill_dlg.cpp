#include "drills/drill_dlg.h"

#include "drills/giveup_dlg.h"
#include "drills/lookup_dlg.h"
#include "framework/speech.h"
#include "res/resource.h"
#include "res/string_table.h"
#include "store/settings.h"
#include "store/word_schema.h"

namespace {
void ShowDatabaseError(const std::string& text) {
    AfxMessageBox(text);
}

// The speak button's tooltip: what it does, or why it cannot.
UINT SpeechTip(SpeechState state) {
    switch (state) {
    case SpeechState::Ready:
        return IDS_SPEAK_TIP;
    case SpeechState::Starting:
        return IDS_SPEECH_STARTING;
    case SpeechState::NoEngine:
        return IDS_SPEECH_NO_ENGINE;
    case SpeechState::EngineFailed:
        return IDS_SPEECH_ENGINE_FAILED;
    case SpeechState::NoEnglishVoice:
        return IDS_SPEECH_NO_ENGLISH;
    case SpeechState::StartTimedOut:
        return IDS_SPEECH_TIMED_OUT;
    case SpeechState::CannotSound:
        return IDS_SPEECH_CANNOT_SOUND;
    }
    return IDS_SPEECH_ENGINE_FAILED;
}
} // namespace

std::string BankLabel(const std::string& bank) {
    return "词库：" + bank + (bank == mdb::kCet4 ? "（四级）" : "（六级）");
}

CDrillDlg::CDrillDlg(UINT templateId, const DrillKeys& keys, DrillContext context, CWnd* parent)
    : CDialog(templateId, parent), m_context(std::move(context)), m_core(keys, ShowDatabaseError) {}

void CDrillDlg::SetUpCore() {
    m_core.SetUp(m_context);
    m_core.LoadTranscriptions();
    SetDlgItemText(IDC_DRILL_BANK, m_context.practice ? "练习：" + m_context.practice->name
                                                      : BankLabel(m_core.BankName()));
}

void CDrillDlg::ShowTranscription(bool shown) {
    SetDlgItemText(IDC_YINBIAO, shown ? m_core.TranscribedCurrent() : std::string());
}

void CDrillDlg::ReadExamples() {
    m_examples.Read(m_context.connection, m_core.HasWord() ? m_core.Current().word : "");
}

void CDrillDlg::SaveDay() {
    m_core.SaveProgress();
}

void CDrillDlg::SetUpSpeech() {
    OnCommand(IDC_SPEAK, &CDrillDlg::OnSpeak);
    AddAccelerator("Ctrl+P", IDC_SPEAK);
    OnCommand(IDC_SPEAK_LIJU, [this] { m_examples.Speak(); });
    AddAccelerator(ExamplePanel::kSpeakKeys, IDC_SPEAK_LIJU);
    UpdateSpeakButton();
}

// Asked again at each word: an engine still starting when the drill opened may be
// ready by now.
void CDrillDlg::UpdateSpeakButton() {
    const SpeechState state = GetSpeechService().State();
    m_speechAvailable = CanTry(state);
    if (CWnd* button = GetDlgItem(IDC_SPEAK)) {
        button->SetToolTip(LoadResourceString(SpeechTip(state)));
        button->EnableWindow(m_speechAvailable && CanSayWord());
    }
    m_examples.UpdateSpeakButton();
}

// Saying a word changes nothing of the drill.
void CDrillDlg::OnSpeak() {
    if (m_speechAvailable && CanSayWord() && m_core.HasWord())
        GetSpeechService().Say(m_core.Current().word);
}

void CDrillDlg::WordShown() {
    UpdateSpeakButton();
    if (settings::AutoSpeak(m_context.iniPath))
        OnSpeak();
}

void CDrillDlg::SetUpSharedCommands(bool undoKeyAsAccelerator) {
    OnCommand(IDC_UNDO, &CDrillDlg::OnUndo);
    OnCommand(IDC_ADD_OWN, &CDrillDlg::OnAddOwn);
    OnCommand(IDC_LOOKUP, &CDrillDlg::OnLookup);
    if (undoKeyAsAccelerator)
        AddAccelerator("Ctrl+Z", IDC_UNDO);
    AddAccelerator("Ctrl+D", IDC_ADD_OWN);
    AddAccelerator("Ctrl+F", IDC_LOOKUP);
    GetDlgItem(IDC_UNDO)->SetToolTip("撤销上一次评分，这个词再考一次 (Ctrl+Z)");
    GetDlgItem(IDC_ADD_OWN)->SetToolTip("把这个词加入生词本 (Ctrl+D)；查词 (Ctrl+F)");
    UpdateSharedButtons();
}

void CDrillDlg::UpdateSharedButtons() {
    GetDlgItem(IDC_UNDO)->EnableWindow(m_core.CanUndo());
    SetDlgItemText(IDC_ADD_OWN, "加入生词本");
    GetDlgItem(IDC_ADD_OWN)->EnableWindow(m_core.HasWord());
}

void CDrillDlg::OnUndo() {
    if (!m_core.UndoLastGrading())
        return;
    AskAgain();
    UpdateSharedButtons();
}

void CDrillDlg::OnAddOwn() {
    if (!m_core.HasWord())
        return;
    const WordRecord& word = m_core.Current();
    if (AddToOwnWords(m_context.connection, word.word, word.translation, m_core.BankName())) {
        SetDlgItemText(IDC_ADD_OWN, "已在生词本");
        GetDlgItem(IDC_ADD_OWN)->EnableWindow(FALSE);
    }
}

void CDrillDlg::OnLookup() {
    CLookupDlg lookup(m_context);
    lookup.DoModal();
}

void CDrillDlg::OnClose() {
    SaveDay();
    if (m_core.MustConfirmGiveUp()) {
        CGiveUpDlg confirm;
        if (confirm.DoModal() == IDCANCEL)
            return; // keep studying: same word, list and counters
    }
    if (MayLeave())
        EndDialog(IDCANCEL);
}

void CDrillDlg::OnOK() {
    SaveDay();
    if (MayLeave())
        EndDialog(IDOK);
}

void CDrillDlg::OnCancel() {
    SaveDay();
    if (MayLeave())
        EndDialog(IDCANCEL);
}

// Missed words the database would not take are never dropped unasked: leaving without
// them is the learner's choice, staying tries again at the next grading or close.
bool CDrillDlg::MayLeave() {
    const size_t unkept = m_core.UnkeptWords();
    if (unkept == 0)
        return true;
    const std::string question = "有 " + std::to_string(unkept) + " 个错词没能存进数据库：\n" +
                                 m_core.StoreError() +
                                 "\n\n不存这些错词，直接关闭吗？\n"
                                 "选“否”留在这里，下次评分或关闭时会再试。";
    return AfxMessageBox(question, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}
