// Saying an English word aloud. Behind a small interface that tests (or another
// platform) can replace; the real one uses the desktop's text-to-speech engine.
#pragma once

#include <string>

// Whether words can be said, and if not, why: the caller words it for the learner.
enum class SpeechState { Ready, Starting, NoEngine, EngineFailed, NoEnglishVoice };

class SpeechService {
public:
    virtual ~SpeechService() = default;
    // Starts the engine in the background, so that it is ready by the first word.
    virtual void Prepare() {}
    virtual SpeechState State() = 0;
    virtual void Say(const std::string& englishWord) = 0;
};

SpeechService& GetSpeechService();
// nullptr restores the real one; returns the one in use before.
SpeechService* SetSpeechService(SpeechService* service);
