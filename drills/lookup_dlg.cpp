#include "drills/lookup_dlg.h"

#include "framework/speech.h"
#include "res/resource.h"
#include "store/comerror.h"
#include "store/own_words.h"

CLookupDlg::CLookupDlg(DrillContext context, CWnd* parent)
    : CDialog(IDD_LOOKUP, parent), m_context(std::move(context)) {
    OnChange(IDC_LOOKUP_QUERY, &CLookupDlg::OnQueryChanged);
    OnChange(IDC_LOOKUP_HITS, &CLookupDlg::OnHitChosen);
    OnCommand(IDC_SPEAK, &CLookupDlg::OnSpeak);
    OnCommand(IDC_ADD_OWN, &CLookupDlg::OnAddOwn);
    OnCommand(IDC_SPEAK_LIJU, [this] { m_examples.Speak(); });
}

BOOL CLookupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(IDC_LOOKUP_QUERY)->SetAccessibleName("查词：英文单词的开头或中文释义");
    GetDlgItem(IDC_LOOKUP_HITS)->SetAccessibleName("查到的词");
    AddAccelerator("Ctrl+P", IDC_SPEAK);
    GetDlgItem(IDC_SPEAK)->SetToolTip("读出选中的词 (Ctrl+P)");
    GetDlgItem(IDC_ADD_OWN)->SetToolTip("把选中的词加入生词本 (Alt+A)");
    AddAccelerator(ExamplePanel::kSpeakKeys, IDC_SPEAK_LIJU);
    // Without the memory, the words are still found; they only do not say when they return.
    WordReviews reviews;
    try {
        reviews = ReadNextReviews(m_context.connection, m_context.iniPath, m_context.now());
    } catch (const _com_error& e) {
        LogFailure("reading the words' memory for lookup", e);
    }
    try {
        m_index = ReadWordIndex(m_context.connection, m_context.iniPath, m_context.now(), reviews);
    } catch (const _com_error& e) {
        LogFailure("reading the banks for lookup", e);
        AfxMessageBox("词库读不出来，没法查词：" + LearnerText(e));
    }
    ShowChosen();
    return TRUE;
}

void CLookupDlg::OnQueryChanged() {
    m_hits = m_index.Find(GetDlgItemText(IDC_LOOKUP_QUERY), kHitsShown);
    CWnd* list = GetDlgItem(IDC_LOOKUP_HITS);
    list->ResetContent();
    for (const LookupEntry* hit : m_hits)
        list->AddString(HitLine(*hit));
    if (!m_hits.empty())
        list->SetCurSel(0);
    ShowChosen();
}

void CLookupDlg::OnHitChosen() {
    ShowChosen();
}

void CLookupDlg::OnOK() {
    if (!m_hits.empty() && GetDlgItem(IDC_LOOKUP_HITS)->GetCurSel() < 0)
        GetDlgItem(IDC_LOOKUP_HITS)->SetCurSel(0);
    ShowChosen();
}

const LookupEntry* CLookupDlg::Chosen() {
    const int chosen = GetDlgItem(IDC_LOOKUP_HITS)->GetCurSel();
    return chosen >= 0 && static_cast<size_t>(chosen) < m_hits.size()
               ? m_hits[static_cast<size_t>(chosen)]
               : nullptr;
}

// The chosen hit in full, for reading and for screen readers.
void CLookupDlg::ShowChosen() {
    const LookupEntry* hit = Chosen();
    const bool typed = !GetDlgItemText(IDC_LOOKUP_QUERY).empty();
    SetDlgItemText(IDC_LOOKUP_WORD,
                   hit ? WithTranscription(hit->word, hit->transcription) : std::string());
    SetDlgItemText(IDC_LOOKUP_MEANING, hit ? hit->meaning + "\n" + StateLine(*hit)
                                       : typed ? "没有查到。英文按单词开头查，中文按释义里的字查。"
                                               : std::string());
    GetDlgItem(IDC_SPEAK)->EnableWindow(hit && CanTry(GetSpeechService().State()));
    GetDlgItem(IDC_ADD_OWN)->EnableWindow(hit != nullptr);
    m_examples.Read(m_context.connection, hit ? hit->word : std::string());
    m_examples.ShowAll();
}

void CLookupDlg::OnSpeak() {
    if (const LookupEntry* hit = Chosen(); hit && CanTry(GetSpeechService().State()))
        GetSpeechService().Say(hit->word);
}

void CLookupDlg::OnAddOwn() {
    const LookupEntry* hit = Chosen();
    if (!hit)
        return;
    const std::optional<bool> added =
        AddToOwnWords(m_context.connection, hit->word, hit->meaning, hit->bank);
    if (added)
        SetDlgItemText(IDC_LOOKUP_MEANING,
                       hit->meaning + "\n" + StateLine(*hit) +
                           (*added ? " · 已加入生词本" : " · 生词本里已经有了"));
}

std::optional<bool> AddToOwnWords(const _ConnectionPtr& connection, const std::string& word,
                                  const std::string& meaning, const std::string& bank) {
    try {
        return own_words::Add(connection, {word, meaning, bank});
    } catch (const _com_error& e) {
        LogFailure("adding a word to the own list", e);
        AfxMessageBox("没能把 " + word + " 加入生词本：" + LearnerText(e));
        return std::nullopt;
    }
}
