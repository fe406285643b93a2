// Test stand-in for the desktop's speech: records what would have been said.
#pragma once

#include "framework/speech.h"

#include <string>
#include <vector>

class FakeSpeech : public SpeechService {
public:
    explicit FakeSpeech(SpeechState state = SpeechState::Ready)
        : m_state(state), m_previous(SetSpeechService(this)) {}
    ~FakeSpeech() override { SetSpeechService(m_previous); }
    SpeechState State() override { return m_state; }
    void Say(const std::string& word) override { said.push_back(word); }

    std::vector<std::string> said;

private:
    SpeechState m_state;
    SpeechService* m_previous;
};
