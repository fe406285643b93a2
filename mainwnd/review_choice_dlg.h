// 今日复习's chooser: the day's words per skill, and which drill to review them in; the
// skill with more words is the default.
#pragma once

#include "drills/core/memory/daily_review.h"
#include "framework/afx.h"

class CReviewChoiceDlg : public CDialog {
public:
    explicit CReviewChoiceDlg(const DailyReview& review, CWnd* parent = nullptr);

    // After IDOK: the spelling drill was chosen, else the browse drill.
    bool Spelling() const { return m_spelling; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override; // Enter anywhere takes the default

private:
    void Choose(bool spelling);

    size_t m_browseWords, m_spellWords;
    std::string m_summary;
    bool m_spelling;
};
