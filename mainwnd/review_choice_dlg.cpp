#include "mainwnd/review_choice_dlg.h"

#include "drills/core/memory/memory_texts.h"
#include "res/resource.h"

CReviewChoiceDlg::CReviewChoiceDlg(const DailyReview& review, CWnd* parent)
    : CDialog(IDD_REVIEW_CHOICE, parent), m_browseWords(review.recognise.size()),
      m_spellWords(review.spell.size()), m_summary(ReviewChoiceText(review)),
      m_spelling(review.spell.size() > review.recognise.size()) {
    OnCommand(IDC_REVIEW_BROWSE, [this] { Choose(false); });
    OnCommand(IDC_REVIEW_SPELL, [this] { Choose(true); });
}

BOOL CReviewChoiceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_REVIEW_SUMMARY, m_summary);
    SetDlgItemText(IDC_REVIEW_BROWSE, "浏览复习（认词 " + std::to_string(m_browseWords) + " 个）");
    SetDlgItemText(IDC_REVIEW_SPELL, "拼写复习（拼写 " + std::to_string(m_spellWords) + " 个）");
    GetDlgItem(IDC_REVIEW_BROWSE)->EnableWindow(m_browseWords > 0);
    GetDlgItem(IDC_REVIEW_SPELL)->EnableWindow(m_spellWords > 0);
    GetDlgItem(IDC_REVIEW_BROWSE)->SetToolTip("在浏览背单词的窗口里复习：看英文，想中文意思");
    GetDlgItem(IDC_REVIEW_SPELL)->SetToolTip("在拼写背单词的窗口里复习：看中文，拼出英文");
    GetDlgItem(m_spelling ? IDC_REVIEW_SPELL : IDC_REVIEW_BROWSE)->SetFocus();
    return FALSE; // the focus is on the default
}

void CReviewChoiceDlg::OnOK() {
    Choose(m_spelling);
}

void CReviewChoiceDlg::Choose(bool spelling) {
    m_spelling = spelling;
    EndDialog(IDOK);
}
