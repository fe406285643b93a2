#include "mainwnd/wordlist_dlg.h"

#include "drills/browse_dlg.h"
#include "drills/core/practice_lists.h"
#include "drills/practice_drill.h"
#include "drills/spell_dlg.h"
#include "res/resource.h"
#include "store/comerror.h"
#include "store/table_reads.h"
#include "store/word_schema.h"

CWordListDlg::CWordListDlg(DrillContext context, CWnd* parent)
    : CDialog(IDD_WORDLIST, parent), m_context(std::move(context)) {
    OnCommand(IDC_WORDLIST_REMOVE, &CWordListDlg::OnRemove);
    OnCommand(IDC_PRACTISE_OWN_BROWSE, [this] { Practise(true, false); });
    OnCommand(IDC_PRACTISE_OWN_SPELL, [this] { Practise(true, true); });
    OnCommand(IDC_PRACTISE_MISSED_BROWSE, [this] { Practise(false, false); });
    OnCommand(IDC_PRACTISE_MISSED_SPELL, [this] { Practise(false, true); });
}

BOOL CWordListDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(IDC_WORDLIST_WORDS)->SetAccessibleName("生词本里的词");
    GetDlgItem(IDC_PRACTISE_MISSED_BROWSE)->SetToolTip("复习表里的每个错词，到期没到期都算");
    GetDlgItem(IDC_PRACTISE_MISSED_SPELL)->SetToolTip("拼写复习表里的每个错词，到期没到期都算");
    Refresh();
    return TRUE;
}

void CWordListDlg::Refresh() {
    long long missedBrowse = 0, missedSpell = 0;
    try {
        m_words = own_words::All(m_context.connection);
        missedBrowse = static_cast<long long>(
            MissedWordsPractice(m_context.connection, mdb::kBrowseReviews).words.size());
        missedSpell = static_cast<long long>(
            MissedWordsPractice(m_context.connection, mdb::kSpellReviews).words.size());
    } catch (const _com_error& e) {
        LogFailure("reading the own word list", e);
        AfxMessageBox("生词本读不出来：" + LearnerText(e));
    }
    CWnd* list = GetDlgItem(IDC_WORDLIST_WORDS);
    list->ResetContent();
    for (const OwnWord& word : m_words)
        list->AddString(word.word + "  " + word.meaning + "  （" + word.bank + "）");
    if (!m_words.empty())
        list->SetCurSel(0);
    SetDlgItemText(IDC_WORDLIST_SUMMARY,
                   "生词本：" + std::to_string(m_words.size()) +
                       " 个词（在练习或查词里按“加入生词本”添加）\n错词本：浏览 " +
                       std::to_string(missedBrowse) + " 个，拼写 " + std::to_string(missedSpell) +
                       " 个");
    GetDlgItem(IDC_WORDLIST_REMOVE)->EnableWindow(!m_words.empty());
    GetDlgItem(IDC_PRACTISE_OWN_BROWSE)->EnableWindow(!m_words.empty());
    GetDlgItem(IDC_PRACTISE_OWN_SPELL)->EnableWindow(!m_words.empty());
    GetDlgItem(IDC_PRACTISE_MISSED_BROWSE)->EnableWindow(missedBrowse > 0);
    GetDlgItem(IDC_PRACTISE_MISSED_SPELL)->EnableWindow(missedSpell > 0);
}

void CWordListDlg::OnRemove() {
    const int chosen = GetDlgItem(IDC_WORDLIST_WORDS)->GetCurSel();
    if (chosen < 0 || static_cast<size_t>(chosen) >= m_words.size())
        return;
    try {
        own_words::Remove(m_context.connection, m_words[static_cast<size_t>(chosen)].word);
    } catch (const _com_error& e) {
        LogFailure("removing a word from the own list", e);
        AfxMessageBox("没能从生词本删除这个词：" + LearnerText(e));
    }
    Refresh();
    GetDlgItem(IDC_WORDLIST_WORDS)
        ->SetCurSel(std::min(chosen, static_cast<int>(m_words.size()) - 1));
}

void CWordListDlg::Practise(bool ownWords, bool spelling) {
    DrillContext practice = m_context;
    try {
        practice.practice = std::make_shared<PracticeList>(
            ownWords ? OwnWordsPractice(m_context.connection)
                     : MissedWordsPractice(m_context.connection,
                                           spelling ? mdb::kSpellReviews : mdb::kBrowseReviews));
    } catch (const _com_error& e) {
        LogFailure("reading a practice list", e);
        AfxMessageBox("练习的词读不出来：" + LearnerText(e));
        return;
    }
    if (practice.practice->words.empty()) {
        AfxMessageBox(practice.practice->name + "里还没有词。");
        return;
    }
    RunPracticeDrill(practice, spelling);
    Refresh();
}
