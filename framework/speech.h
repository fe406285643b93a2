// Saying an English word aloud. Behind a small interface that tests (or another
// platform) can replace; the real one uses the desktop's text-to-speech engine.
#pragma once

#include <string>

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Starts the engine in the background, so that it is ready by the first word.
    virtual void Prepare() {}
    // Empty when words can be said; otherwise why not, for the learner.
    virtual std::string Unavailable() = 0;
    virtual void Say(const std::string& englishWord) = 0;
};

SpeechService& GetSpeechService();
// nullptr restores the real one; returns the one in use before.
SpeechService* SetSpeechService(SpeechService* service);
