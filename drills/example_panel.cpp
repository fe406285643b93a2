#include "drills/example_panel.h"

#include "drills/core/example_text.h"
#include "framework/speech.h"
#include "res/resource.h"
#include "store/comerror.h"

void ExamplePanel::Read(const _ConnectionPtr& connection, const std::string& word) {
    m_word = word;
    m_examples = {};
    if (!word.empty()) {
        try {
            m_examples = ReadWordExamples(connection, word);
        } catch (const _com_error& e) {
            LogFailure("reading the examples of " + word, e);
        }
    }
    Hide();
}

void ExamplePanel::ShowAll() {
    Show(Shown::All, ExampleText(m_examples));
}

void ExamplePanel::ShowHint() {
    Show(Shown::Hint, HintText(m_examples, m_word));
}

void ExamplePanel::Hide() {
    Show(Shown::Nothing, {});
}

void ExamplePanel::Show(Shown shown, const std::string& text) {
    m_shown = shown;
    m_dialog.SetDlgItemText(IDC_LIJU, text);
    UpdateSpeakButton();
}

void ExamplePanel::Speak() {
    if (m_shown == Shown::All && HasSentence() && CanTry(GetSpeechService().State()))
        GetSpeechService().Say(m_examples.sentence);
}

void ExamplePanel::UpdateSpeakButton() {
    CWnd* button = m_dialog.GetDlgItem(IDC_SPEAK_LIJU);
    if (!button)
        return;
    const bool speakable = CanTry(GetSpeechService().State());
    button->EnableWindow(m_shown == Shown::All && HasSentence() && speakable);
    button->SetToolTip(speakable ? std::string("读出例句 (") + kSpeakKeys + ")"
                                 : "语音引擎现在用不了，无法读出例句");
}
