// 生词本: the learner's own words, to see, remove and practise; and the practice of 错词本.
#pragma once

#include "drills/core/drill_context.h"
#include "framework/afx.h"
#include "store/own_words.h"

#include <vector>

class CWordListDlg : public CDialog {
public:
    explicit CWordListDlg(DrillContext context, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    void Refresh();
    void OnRemove();
    void Practise(bool ownWords, bool spelling);

    DrillContext m_context;
    std::vector<OwnWord> m_words;
};
