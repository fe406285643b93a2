// The example sentence, its translation and the phrases of a word (IDC_LIJU), and the button
// that says the sentence (IDC_SPEAK_LIJU, Ctrl+Shift+P): what both drills and 查词 show.
#pragma once

#include "framework/afx.h"
#include "store/word_examples.h"

#include <string>

class ExamplePanel {
public:
    explicit ExamplePanel(CDialog& dialog) : m_dialog(dialog) {}

    // Reads the examples of `word` and shows nothing yet. A database that cannot give them
    // shows none; the drill goes on.
    void Read(const _ConnectionPtr& connection, const std::string& word);
    bool HasSentence() const { return !m_examples.sentence.empty(); }

    void ShowAll();  // the sentence, its translation, the phrases
    void ShowHint(); // the sentence with the word blanked, and its translation
    void Hide();

    // Says the sentence while it is shown whole.
    void Speak();
    // Call when the speech engine may have changed its state.
    void UpdateSpeakButton();

    static constexpr const char* kSpeakKeys = "Ctrl+Shift+P";

private:
    enum class Shown { Nothing, Hint, All };
    void Show(Shown shown, const std::string& text);

    CDialog& m_dialog;
    std::string m_word;
    WordExamples m_examples;
    Shown m_shown = Shown::Nothing;
};
