// 查词: look a word up in both banks as you type, see its example sentence and phrases, hear
// it and its sentence, keep it in 生词本.
#pragma once

#include "drills/core/drill_context.h"
#include "drills/core/word_lookup.h"
#include "drills/example_panel.h"
#include "framework/afx.h"

#include <optional>

class CLookupDlg : public CDialog {
public:
    explicit CLookupDlg(DrillContext context, CWnd* parent = nullptr);

    static constexpr size_t kHitsShown = 200;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override; // Enter chooses the first hit rather than closing

private:
    void OnQueryChanged();
    void OnHitChosen();
    void OnSpeak();
    void OnAddOwn();
    void ShowChosen();
    const LookupEntry* Chosen();

    DrillContext m_context;
    WordIndex m_index;
    std::vector<const LookupEntry*> m_hits;
    ExamplePanel m_examples{*this};
};

// Adds a word to 生词本: true when added, false when it was there; nothing when it could not
// be stored, which the learner is told.
std::optional<bool> AddToOwnWords(const _ConnectionPtr& connection, const std::string& word,
                                  const std::string& meaning, const std::string& bank);
