// What the two drill dialogs share: the drill core on the application's connection and
// the ways a drill ends.
#pragma once

#include "drills/core/drill_core.h"
#include "drills/example_panel.h"
#include "framework/afx.h"

// A bank as the main window and the drills name it: "词库：CET6（六级）".
std::string BankLabel(const std::string& bank);

class CDrillDlg : public CDialog {
protected:
    CDrillDlg(UINT templateId, const DrillKeys& keys, DrillContext context, CWnd* parent);

    // Chooses the bank, opens the cursors on the opener's connection and names the bank
    // (or the list practised) on screen.
    void SetUpCore();

    // The close procedure: the day is saved, then under forced study with the day's task
    // unfinished the learner confirms giving up; cancelling keeps the drill open. Missed
    // words that could not be stored are asked about before any close.
    void OnClose() override;
    // Esc and Enter end the drill too; the day is saved all the same, without the question.
    void OnOK() override;
    void OnCancel() override;

    // Saves the day; a drill may also let go of what it holds at this point.
    virtual void SaveDay();
    // After SaveDay: false when missed words could not be stored and the learner stays.
    bool MayLeave();

    // The speaker button and Ctrl+P say the current English word. Where the desktop cannot
    // speak, the button is disabled and its tooltip says why. The sentence button and
    // Ctrl+Shift+P say the example sentence once it is shown whole.
    void SetUpSpeech();
    // Call when the word may have become sayable or not.
    void UpdateSpeakButton();
    // A new English word is in view: said at once if the learner chose "自动发音".
    void WordShown();
    // The transcription label: the word on screen with its transcription, or nothing.
    void ShowTranscription(bool shown);
    // The examples of the word on screen, read and not yet shown.
    void ReadExamples();
    // Whether the English word may be said now (the spelling drill: once it is shown).
    virtual bool CanSayWord() const { return true; }

    // 撤销 (Ctrl+Z), 加入生词本 (Ctrl+D) and 查词 (Ctrl+F), the same in both drills. A drill
    // whose text box would take Ctrl+Z for itself passes false and routes the key itself.
    void SetUpSharedCommands(bool undoKeyAsAccelerator = true);
    // Call when another word is on screen or a grading was made.
    void UpdateSharedButtons();
    // After an undo: the word taken back, asked again from the start.
    virtual void AskAgain() = 0;

    DrillContext m_context;
    DrillCore m_core;
    ExamplePanel m_examples{*this};

private:
    void OnSpeak();
    void OnUndo();
    void OnAddOwn();
    void OnLookup();
    bool m_speechAvailable = false;
};
