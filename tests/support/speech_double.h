// Test stand-in for the desktop's speech: records what would have been said.
#pragma once

#include "framework/speech.h"

#include <string>
#include <vector>

class FakeSpeech : public SpeechService {
public:
    explicit FakeSpeech(std::string unavailable = {})
        : m_unavailable(std::move(unavailable)), m_previous(SetSpeechService(this)) {}
    ~FakeSpeech() override { SetSpeechService(m_previous); }
    std::string Unavailable() override { return m_unavailable; }
    void Say(const std::string& word) override { said.push_back(word); }

    std::vector<std::string> said;

private:
    std::string m_unavailable;
    SpeechService* m_previous;
};
